// The message box: a fixed text, a title, OK or a Yes/No question.
#ifndef ZAN_PLATFORM_MESSAGE_BOX_H
#define ZAN_PLATFORM_MESSAGE_BOX_H

#include <string>

namespace zan {

enum class MessageButtons { Ok, YesNo };  // with Yes/No, No is the default button
enum class MessageIcon { None, Question, Critical };
enum class MessageAnswer { Ok, Yes, No };

class MessageBox {
public:
    virtual ~MessageBox() = default;
    // Shows the box and waits for the answer; closing a Yes/No box without
    // choosing answers No.
    virtual MessageAnswer show(const std::string& text, const std::string& title, MessageButtons buttons,
                               MessageIcon icon) = 0;

    void inform(const std::string& text, const std::string& title, MessageIcon icon = MessageIcon::None)
    {
        show(text, title, MessageButtons::Ok, icon);
    }
    bool askYesNo(const std::string& text, const std::string& title, MessageIcon icon = MessageIcon::Question)
    {
        return show(text, title, MessageButtons::YesNo, icon) == MessageAnswer::Yes;
    }
};

}  // namespace zan

#endif

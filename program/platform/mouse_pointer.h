// The pointer shape of the frame window: normal, or the hourglass while the
// program draws or loads and ignores the mouse.
#ifndef ZAN_PLATFORM_MOUSE_POINTER_H
#define ZAN_PLATFORM_MOUSE_POINTER_H

namespace zan {

enum class PointerShape { Normal, Hourglass };

class MousePointer {
public:
    virtual ~MousePointer() = default;
    virtual void setShape(PointerShape shape) = 0;
    virtual PointerShape shape() const = 0;
};

}  // namespace zan

#endif

// Files dropped from a file manager onto the frame window open as the menu
// "Open" opens the files of its dialog. The window only hands the dropped
// paths on; which files are taken and how they load is decided in
// session/file_drop.h.
#pragma once

#include <QObject>

#include <string>
#include <vector>

class QMimeData;

namespace zan {

class FrameWindow;
class MessageBox;
class StartupServices;
struct Session;

// Local paths of the URLs of a drop; a URL that names no local file is kept
// as its text, so that the refusal can name it.
std::vector<std::string> DroppedPaths(const QMimeData& data);

class FileDropTarget : public QObject {
public:
    // Watches frame for drops while it shows a plot window; messages tells
    // why a drop was refused.
    FileDropTarget(FrameWindow& frame, Session& session, StartupServices& services, MessageBox& messages);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    FrameWindow& frame_;
    Session& session_;
    StartupServices& services_;
    MessageBox& messages_;
};

}  // namespace zan

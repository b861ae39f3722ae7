#include "windows/plot/file_drop_target.h"

#include "windows/frame/frame_window.h"
#include "windows/plot/plot_window.h"
#include "session/file_drop.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace zan {

std::vector<std::string> DroppedPaths(const QMimeData& data)
{
    std::vector<std::string> paths;
    for (const QUrl& url : data.urls())
        paths.push_back((url.isLocalFile() ? url.toLocalFile() : url.toString()).toStdString());
    return paths;
}

FileDropTarget::FileDropTarget(FrameWindow& frame, Session& session, StartupServices& services,
                               MessageBox& messages)
    : QObject(&frame), frame_(frame), session_(session), services_(services), messages_(messages)
{
    frame_.setAcceptDrops(true);
    frame_.installEventFilter(this);
}

bool FileDropTarget::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &frame_)
        return false;
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDropEvent*>(event);
        if (frame_.plotWindow() && drag->mimeData()->hasUrls())
            drag->acceptProposedAction();
        else
            drag->ignore();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        if (!frame_.plotWindow() || !drop->mimeData()->hasUrls()) {
            drop->ignore();
            return true;
        }
        drop->acceptProposedAction();
        // The file manager waits for the drop to end; the loading, and any
        // message about the files, come after it.
        const std::vector<std::string> paths = DroppedPaths(*drop->mimeData());
        QMetaObject::invokeMethod(this, [this, paths] {
            PlotWindow* plot = frame_.plotWindow();
            if (!plot || !OpenDroppedFiles(session_, services_, messages_, paths))
                return;
            plot->ShowBoxes();
            plot->ButnStat();
            plot->FormResize();
        }, Qt::QueuedConnection);
        return true;
    }
    default:
        return false;
    }
}

}  // namespace zan

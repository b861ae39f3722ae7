// Files dropped onto the frame window of the viewer, on the demo run.
#include "windows/plot/file_drop_target.h"
#include "windows/plot/tests/viewer_fixture.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QUrl>

namespace zan {
namespace {

class DropOnViewer : public testing::ViewerTest {
protected:
    void SetUp() override
    {
        Start({"flight.bin"});
        new FileDropTarget(viewer->frame, viewer->session, viewer->services, viewer->messages);
    }

    // Drags the files over the frame and drops them; true when the frame
    // accepted both the drag and the drop.
    bool Drop(const QStringList& names)
    {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString& name : names)
            urls << QUrl::fromLocalFile(dir.filePath(name));
        data.setUrls(urls);
        const QPoint middle(viewer->frame.width() / 2, viewer->frame.height() / 2);
        QDragEnterEvent enter(middle, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&viewer->frame, &enter);
        QDropEvent drop(QPointF(middle), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&viewer->frame, &drop);
        return enter.isAccepted() && drop.isAccepted();
    }
};

TEST_F(DropOnViewer, DroppedDataFilesReplaceTheShownOnesAndAreDrawn)
{
    const Session& s = viewer->session;
    ASSERT_EQ(s.nFile, 1);
    ASSERT_TRUE(Drop({"flight.csv", "flight2.csv"}));
    ASSERT_TRUE(Settled());
    ASSERT_EQ(s.nFile, 2);
    EXPECT_EQ(s.Flist[2], path("flight2.csv"));
    EXPECT_EQ(s.nVar, 22);
    EXPECT_EQ(s.lderr, 0);
    EXPECT_TRUE(plot().Label2->text().startsWith("Page 1/")) << plot().Label2->text().toStdString();
    EXPECT_TRUE(viewer->messages.shown.empty());
}

TEST_F(DropOnViewer, RefusedDropTellsWhyAndKeepsTheShownFiles)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir("runs"));
    ASSERT_TRUE(Drop({"flight.csv", "runs"}));
    ASSERT_TRUE(Settled());
    ASSERT_EQ(viewer->messages.shown.size(), 1u);
    EXPECT_NE(viewer->messages.shown[0].text.find("is a folder"), std::string::npos);
    EXPECT_EQ(viewer->session.nFile, 1);
    EXPECT_EQ(viewer->session.Flist[1], path("flight.bin"));
    EXPECT_EQ(viewer->session.lderr, 0);
}

TEST_F(DropOnViewer, DragsWithoutFilesAreNotTaken)
{
    QMimeData data;
    data.setText("flight.csv");
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&viewer->frame, &enter);
    EXPECT_FALSE(enter.isAccepted());
}

}  // namespace
}  // namespace zan

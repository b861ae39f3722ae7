#include "platform/fakes.h"
#include "platform/qt/qt_file_dialog.h"
#include "platform/qt/qt_message_box.h"
#include "platform/qt/qt_progress_window.h"
#include "platform/qt/qt_screen_metrics.h"
#include "platform/qt/qt_timer.h"
#include "platform/qt/qt_window_services.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

using namespace zan;

TEST(FileDialogText, SeveralFilesGiveTheFolderAndNamesBetweenNuls)
{
    EXPECT_EQ(selectionText("/data", {"a.bin"}), "/data/a.bin");
    EXPECT_EQ(selectionText("/data", {"a.bin", "b c.csv"}), std::string("/data\0a.bin\0b c.csv", 19));
}

TEST(FileDialogText, FiltersBecomeNameFilters)
{
    const struct {
        const char* filter;
        std::vector<std::string> expected;
    } cases[] = {
        {"Binary data (*.bin;*.dat;*.csv)|*.bin;*.dat;*.csv", {"Binary data (*.bin *.dat *.csv)"}},
        {"Zan (Zan*.ini)|Zan*.ini", {"Zan (Zan*.ini)"}},
        {"Text|*.txt|All files|*", {"Text (*.txt)", "All files (*)"}},
        {"", {}},
        {"Dangling description", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(nameFilters(c.filter), c.expected) << c.filter;
}

TEST(Fakes, FileDialogAnswersInOrderThenCancels)
{
    FakeFileDialog dialog;
    dialog.rejectName();
    dialog.chooseMany("/data", {"a.bin", "b.bin"});
    FileDialogRequest request;
    request.fileName = "out.bin";
    EXPECT_EQ(dialog.show(request).outcome, FileDialogResult::Outcome::InvalidFileName);
    const auto chosen = dialog.show(request);
    EXPECT_EQ(chosen.outcome, FileDialogResult::Outcome::Chosen);
    EXPECT_NE(chosen.text.find('\0'), std::string::npos);
    EXPECT_EQ(dialog.show(request).outcome, FileDialogResult::Outcome::Cancelled);
    ASSERT_EQ(dialog.requests.size(), 3u);
    EXPECT_EQ(dialog.requests[0].fileName, "out.bin");
}

TEST(Fakes, MessageBoxQuestionsDefaultToNo)
{
    FakeMessageBox box;
    box.answers = {MessageAnswer::Yes};
    EXPECT_TRUE(box.askYesNo("Load them ?", "Select:"));
    EXPECT_FALSE(box.askYesNo("Again ?", "Select:"));
    box.inform("Name already used.", "Error");
    ASSERT_EQ(box.shown.size(), 3u);
    EXPECT_EQ(box.shown[0].icon, MessageIcon::Question);
    EXPECT_EQ(box.shown[2].buttons, MessageButtons::Ok);
    EXPECT_EQ(box.shown[2].text, "Name already used.");
}

TEST(Fakes, TimerTicksPerElapsedIntervalWhileEnabled)
{
    FakeTimer timer;
    int ticks = 0;
    timer.onTick([&] { ++ticks; });
    timer.setInterval(100);
    timer.elapse(250);
    EXPECT_EQ(ticks, 0) << "disabled timers do not tick";

    timer.setEnabled(true);
    timer.elapse(250);
    EXPECT_EQ(ticks, 2);
    timer.setEnabled(true);  // enabling again starts the wait anew
    timer.elapse(60);
    EXPECT_EQ(ticks, 2);
    timer.elapse(40);
    EXPECT_EQ(ticks, 3);

    timer.setInterval(0);
    timer.elapse(1000);
    EXPECT_EQ(ticks, 3) << "an interval of 0 never ticks";
}

TEST(Fakes, TimerThatStopsItselfTicksOnce)
{
    // The delayed redraw: each request restarts the wait, the tick stops the
    // timer, so several requests within the delay draw once.
    FakeTimer timer;
    int draws = 0;
    timer.onTick([&] {
        timer.setEnabled(false);
        ++draws;
    });
    for (int request = 0; request < 3; ++request) {
        timer.setEnabled(false);
        timer.setInterval(110);
        timer.setEnabled(true);
        timer.elapse(50);
    }
    timer.elapse(1000);
    EXPECT_EQ(draws, 1);
}

TEST(Fakes, TickDuringItsOwnHandlerIsDropped)
{
    FakeTimer timer;
    int ticks = 0;
    timer.onTick([&] {
        ++ticks;
        timer.fire();  // events run inside the handler reach the same timer
    });
    timer.setInterval(10);
    timer.setEnabled(true);
    timer.fire();
    EXPECT_EQ(ticks, 1);
}

TEST(QtServices, TimerTicksThroughTheEventLoopAndStops)
{
    QtTimer timer;
    int ticks = 0;
    timer.onTick([&] {
        ++ticks;
        timer.setEnabled(false);
    });
    timer.setInterval(1);
    timer.setEnabled(true);
    QElapsedTimer waited;
    waited.start();
    while (ticks == 0 && waited.elapsed() < 10000) QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    EXPECT_EQ(ticks, 1);
    EXPECT_FALSE(timer.isEnabled());

    timer.setInterval(0);
    timer.setEnabled(true);
    QApplication::processEvents();
    EXPECT_EQ(ticks, 1);
}

// Answers the next modal dialog as soon as it is shown.
template <class Dialog, class Answer>
void answerNextDialog(Answer answer)
{
    QTimer::singleShot(0, [answer] {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) answer(dialog);
    });
}

TEST(QtServices, MessageBoxQuestionOffersNoAsDefault)
{
    QtMessageBox box;
    bool defaultWasNo = false;
    answerNextDialog<QMessageBox>([&defaultWasNo](QMessageBox* shown) {
        defaultWasNo = static_cast<QAbstractButton*>(shown->defaultButton()) == shown->button(QMessageBox::No);
        shown->button(QMessageBox::Yes)->click();
    });
    EXPECT_EQ(box.show("Do you want to continue ?", "Error", MessageButtons::YesNo, MessageIcon::Critical),
              MessageAnswer::Yes);
    EXPECT_TRUE(defaultWasNo);

    answerNextDialog<QMessageBox>([](QMessageBox* shown) { shown->reject(); });
    EXPECT_EQ(box.show("Again ?", "Error", MessageButtons::YesNo, MessageIcon::Question), MessageAnswer::No);

    answerNextDialog<QMessageBox>([](QMessageBox* shown) { shown->button(QMessageBox::Ok)->click(); });
    EXPECT_EQ(box.show("Different file versions exceeds 20!", "", MessageButtons::Ok, MessageIcon::None),
              MessageAnswer::Ok);
}

TEST(QtServices, FileDialogReportsChoiceAndCancel)
{
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / ("zan_dialog_test_" + std::to_string(::getpid()));
    fs::create_directories(folder);
    std::ofstream(folder / "a.bin") << "x";
    std::ofstream(folder / "b.csv") << "x";

    QtFileDialog dialog;
    FileDialogRequest request;
    request.initialFolder = folder.string();
    request.filter = "Binary data (*.bin;*.dat;*.csv)|*.bin;*.dat;*.csv";
    request.allowMultiple = true;

    answerNextDialog<QFileDialog>([](QFileDialog* shown) { shown->reject(); });
    EXPECT_EQ(dialog.show(request).outcome, FileDialogResult::Outcome::Cancelled);

    answerNextDialog<QFileDialog>([](QFileDialog* shown) {
        shown->selectFile("\"a.bin\" \"b.csv\"");
        QMetaObject::invokeMethod(shown, "accept");
    });
    const auto several = dialog.show(request);
    EXPECT_EQ(several.outcome, FileDialogResult::Outcome::Chosen);
    EXPECT_EQ(several.text, selectionText(folder.string(), {"a.bin", "b.csv"}));

    request.maxTextLength = 5;
    answerNextDialog<QFileDialog>([](QFileDialog* shown) {
        shown->selectFile("a.bin");
        QMetaObject::invokeMethod(shown, "accept");
    });
    EXPECT_EQ(dialog.show(request).outcome, FileDialogResult::Outcome::InvalidFileName);
    fs::remove_all(folder);
}

TEST(QtServices, ProgressWindowShowsALoadAndCancelIsRemembered)
{
    QtProgressWindow progress;
    progress.setLoad("big5m.csv", 42);
    EXPECT_TRUE(progress.isVisible());
    EXPECT_EQ(progress.fileName(), "big5m.csv");
    EXPECT_EQ(progress.percent(), 42);
    ASSERT_TRUE(progress.cancelButton()->isVisible());
    EXPECT_FALSE(progress.cancelled());
    progress.cancelButton()->click();
    EXPECT_TRUE(progress.cancelled());
    progress.setLoad("big5m.csv", 43);
    EXPECT_TRUE(progress.cancelled());
    progress.hide();
    EXPECT_FALSE(progress.cancelled());
    progress.show();
    EXPECT_FALSE(progress.cancelButton()->isVisible());
    progress.hide();
}

TEST(QtServices, ProgressWindowShowsItsLabel)
{
    QtProgressWindow progress;
    progress.show();
    progress.setLabel("3 of 7");
    EXPECT_TRUE(progress.isVisible());
    EXPECT_EQ(progress.label(), "3 of 7");
    progress.hide();
    EXPECT_FALSE(progress.isVisible());
}

TEST(QtServices, ProgressWindowGoesWithAParentClosedBeforeIt)
{
    // The main window is destroyed before the host that owns the progress.
    auto frame = std::make_unique<QWidget>();
    auto progress = std::make_unique<QtProgressWindow>(frame.get());
    progress->show();
    frame.reset();
    EXPECT_FALSE(progress->isVisible());
    progress->setLoad("a.csv", 5);
    progress.reset();
}

TEST(QtServices, ScreenMetricsComeFromTheScreen)
{
    QtScreenMetrics metrics;
    const PixelRect screen = metrics.virtualScreen();
    EXPECT_GT(screen.width, 0);
    EXPECT_GT(screen.height, 0);
    const QScreen* primary = QGuiApplication::primaryScreen();
    ASSERT_NE(primary, nullptr);
    EXPECT_DOUBLE_EQ(metrics.twipsPerPixelX(), 1440.0 / primary->logicalDotsPerInchX());
    EXPECT_DOUBLE_EQ(metrics.twipsPerPixelY(), 1440.0 / primary->logicalDotsPerInchY());
    EXPECT_GT(metrics.scrollBarWidth(), 0);
}

TEST(QtServices, MousePointerShowsTheHourglassOnItsWindow)
{
    QWidget frame;
    QtMousePointer pointer(&frame);
    pointer.setShape(PointerShape::Hourglass);
    EXPECT_EQ(frame.cursor().shape(), Qt::WaitCursor);
    pointer.setShape(PointerShape::Normal);
    EXPECT_EQ(frame.cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(pointer.shape(), PointerShape::Normal);
}

}  // namespace

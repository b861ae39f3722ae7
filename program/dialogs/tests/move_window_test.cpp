#include "dialogs/move_window.h"
#include "dialogs/plot_window.h"
#include "dialogs/plot_window_files.h"
#include "session/tests/session_fakes.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

namespace zan {
namespace {

using testing::FakeLibrary;

void Key(QWidget* w, int key, const QString& text = {})
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &press);
}

void Type(QLineEdit* box, const QString& text)
{
    for (QChar c : text)
        Key(box, c.toUpper().unicode(), QString(c));
}

// Two files of one version with time and alt; alt spans 0..400.
Session TwoFiles()
{
    Session s;
    s.nFile = 2;
    s.Flist.assign(2);
    s.Flist[1] = "/runs/a.bin";
    s.Flist[2] = "/runs/b.bin";
    s.FileTab.assign(2);
    s.FileTab[1].iVer = 1;
    s.FileTab[2].iVer = 1;
    s.nVar = 2;
    s.VarTab.assign(2);
    s.VarTab[1].Name = "time";
    s.VarTab[2].Name = "alt";
    s.VarTab[2].Ahi[1] = 400;
    s.VarMap(1, 1) = 1;
    s.VarMap(2, 1) = 2;
    s.lderr = 0;
    return s;
}

TEST(MoveWindow, ControlsDriveTheLibraryAndTheBoxesShowWhatItHolds)
{
    Session s = TwoFiles();
    FakeLibrary library;
    MoveWindow w(s, library);
    w.Load();
    EXPECT_EQ(w.windowTitle(), "Move Line");
    EXPECT_EQ(w.Combo1->count(), 2);
    EXPECT_EQ(w.Combo2->itemText(1), "alt");
    w.Combo2->setCurrentIndex(1);
    emit w.Combo2->activated(1);

    w.Command1[kStepUpLarge]->click();
    EXPECT_EQ(library.Shift(1, 2), 20);
    EXPECT_EQ(library.Shift(2, 2), 0);
    EXPECT_EQ(w.Text1[kShiftBox]->text(), " 20");

    w.Check1->click();
    EXPECT_EQ(s.iMall, 1);
    QLineEdit* factor = w.Text1[kFactorBox];
    factor->setFocus();
    factor->clear();
    Type(factor, "2x");
    EXPECT_EQ(factor->text(), "2");
    EXPECT_NE(factor->styleSheet(), "");
    Key(factor, Qt::Key_Return, "\r");
    EXPECT_EQ(library.Factor(1, 2), 2);
    EXPECT_EQ(library.Factor(2, 2), 2);
    EXPECT_EQ(factor->text(), " 2");
    EXPECT_EQ(factor->styleSheet(), "");

    w.Command1[4]->click();
    EXPECT_EQ(library.Shift(1, 2), 0);
    EXPECT_EQ(library.Factor(2, 2), 1);
}

TEST(MoveWindow, ATypedValueIsConfirmedBeforeAButtonActs)
{
    Session s = TwoFiles();
    FakeLibrary library;
    MoveWindow w(s, library);
    w.Load();
    w.show();
    QApplication::setActiveWindow(&w);
    w.Combo2->setCurrentIndex(1);
    emit w.Combo2->activated(1);
    QLineEdit* shift = w.Text1[kShiftBox];
    shift->setFocus();
    shift->selectAll();
    QTest::keyClicks(shift, "5");
    EXPECT_NE(shift->styleSheet(), "");
    QTest::mouseClick(w.Command1[kStepUpLarge], Qt::LeftButton);
    EXPECT_EQ(library.Shift(1, 2), 25);
    EXPECT_EQ(shift->text(), " 25");
    EXPECT_EQ(shift->styleSheet(), "");
    // The same without the focus moving to the button first.
    QLineEdit* factor = w.Text1[kFactorBox];
    factor->setFocus();
    factor->selectAll();
    QTest::keyClicks(factor, "2");
    w.Command1[kStepDown]->click();
    EXPECT_EQ(library.Factor(1, 2), 2);
    EXPECT_EQ(library.Shift(1, 2), 24);
    EXPECT_EQ(factor->styleSheet(), "");
}

TEST(MoveWindow, TabMovesOnAndConfirmsAndEscapeNeverClosesTheWindow)
{
    Session s = TwoFiles();
    FakeLibrary library;
    MoveWindow w(s, library);
    w.Load();
    w.show();
    QApplication::setActiveWindow(&w);
    QLineEdit* shift = w.Text1[kShiftBox];
    shift->setFocus();
    shift->selectAll();
    QTest::keyClicks(shift, "7");
    QTest::keyClick(shift, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), w.Text1[kFactorBox]);
    EXPECT_EQ(library.Shift(1, 1), 7);
    EXPECT_EQ(shift->text(), " 7");
    EXPECT_EQ(shift->styleSheet(), "");
    QTest::keyClick(w.Text1[kFactorBox], Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), shift);
    EXPECT_EQ(shift->styleSheet(), "");

    for (QWidget* control : std::initializer_list<QWidget*>{w.Combo1, w.Combo2, w.Check1, w.Command1[4], shift}) {
        control->setFocus();
        QTest::keyClick(control, Qt::Key_Escape);
        EXPECT_TRUE(w.isVisible()) << control->metaObject()->className();
    }
}

TEST(MoveWindow, FunctionKeysRunTheMainWindowsCommandsAndItsPlaceIsKept)
{
    Session s = TwoFiles();
    FakeLibrary library;
    MoveWindow w(s, library);
    w.Load();
    std::vector<int> ran;
    for (int i = 0; i < 5; ++i)
        w.mainCommands[static_cast<size_t>(i)] = [&ran, i] { ran.push_back(i); };
    for (Qt::Key key : {Qt::Key_F4, Qt::Key_F5, Qt::Key_F6, Qt::Key_F7, Qt::Key_F8, Qt::Key_F9})
        Key(&w, key);
    Key(w.Text1[kShiftBox], Qt::Key_F6);
    Key(w.Combo1, Qt::Key_F4);
    EXPECT_EQ(ran, (std::vector<int>{0, 1, 2, 3, 4, 2, 0}));
    w.show();
    w.move(40, 30);
    QApplication::processEvents();
    w.hide();
    EXPECT_GT(s.iMlft, 0);
    EXPECT_GT(s.iMtop, 0);
}

TEST(MoveWindow, EditMoveOpensItOnlyWithDataLoaded)
{
    Session s = TwoFiles();
    PlotWindow plot(s);
    QMenuBar bar;
    plot.BuildMenus(&bar);
    testing::TempFolder dir;
    testing::FakeHost host(dir.folder());
    class NoServices : public StartupServices {
        bool FileExists(const std::string&) override { return false; }
        std::string CurrentFolder() override { return "/"; }
        std::string ProgramFolder() override { return "/"; }
        std::string LastSettingsFile(const std::string& f) override { return f; }
        DataDialogResult ShowDataDialog(const std::string&, const std::string&) override { return {}; }
        bool AskYesNo(const std::string&, const std::string&) override { return false; }
        ScreenArea Screen() override { return {}; }
        void IniFiles(Session&) override {}
        void IniStart(Session&) override {}
        void LoadData(Session&) override {}
        void IniGrphs(Session&) override {}
        void IniScale(Session&) override {}
        void InitRanges(Session&) override {}
        void IniWrite(Session&) override {}
        void ReleaseData() override {}
        void UnloadDialogs() override {}
    } services;
    plot.ConnectFiles(services, host);
    s.lderr = 1;
    plot.menus().mnuMove->trigger();
    EXPECT_EQ(plot.files()->moveWindow(), nullptr);
    s.lderr = 0;
    plot.menus().mnuMove->trigger();
    ASSERT_NE(plot.files()->moveWindow(), nullptr);
    EXPECT_TRUE(plot.files()->moveWindow()->isVisible());
    // AutoLoad from its menu runs the watch flag.
    plot.menus().mnuAuto->trigger();
    EXPECT_EQ(s.iAuto, -1);
    EXPECT_TRUE(host.watchEnabled);
}

}  // namespace
}  // namespace zan

#include "dialogs/frame_window.h"
#include "dialogs/plot_window.h"
#include "dialogs/plot_window_picture.h"
#include "dialogs/plot_window_updown.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QTest>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

namespace zan {
namespace {

// Caption of every entry of the menu bar, with its submenu path and shortcut.
void Collect(const QList<QAction*>& actions, const QString& path, std::map<QString, QString>& out)
{
    for (QAction* a : actions) {
        if (a->isSeparator())
            continue;
        // The caption as shown: the Alt letter is only underlined.
        const QString caption = QString(a->text()).remove('&');
        const QString name = path.isEmpty() ? caption : path + "/" + caption;
        out[name] = a->shortcut().toString();
        if (a->menu())
            Collect(a->menu()->actions(), name, out);
    }
}

TEST(PlotWindow, MenusCarryTheirCaptionsAndShortcutKeys)
{
    Session s;
    PlotWindow w(s);
    QMenuBar bar;
    w.BuildMenus(&bar);
    std::map<QString, QString> entries;
    Collect(bar.actions(), "", entries);

    const std::map<QString, QString> expected = {
        {"File/Open", "F4"}, {"File/Append", "Ctrl+F4"}, {"File/Reload", "F5"}, {"File/Rezoom", "F6"},
        {"File/AutoLoad", "Ctrl+A"}, {"File/AutoNext", "Ctrl+N"}, {"File/NextFile", "Ctrl+L"},
        {"File/PrevFile", "Ctrl+P"}, {"File/Print", ""}, {"File/Load Ini", ""}, {"File/Save Ini", ""},
        {"File/Extract Dbl Bin", "F7"}, {"File/Extract Bin", "F8"}, {"File/Extract Csv", "F9"},
        {"File/Quit", "Ctrl+Q"}, {"File/Exit", "Ctrl+X"},
        {"Edit/Copy", "Ctrl+C"}, {"Edit/Paste", "Ctrl+V"}, {"Edit/Save", "Ctrl+S"}, {"Edit/Move ", "Ctrl+M"},
        {"Edit/Clear", "Ctrl+D"},
        {"View/Marks.../Off", ""}, {"View/Marks.../Pins", ""}, {"View/Titles/Screen", ""},
        {"View/Titles/Graphs", ""}, {"View/Titles/Lines", ""}, {"View/Titles/Y Axis", ""},
        {"View/Titles/X Axis", ""}, {"View/Titles/Files", ""}, {"View/Text/Huge", ""}, {"View/Text/Tiny", ""},
        {"View/Font.../Arial", ""}, {"View/Font.../Courier", ""}, {"View/Font.../Verdana", ""},
        {"View/Color/Lines", ""}, {"View/Color/Files", ""}, {"View/Transpose", ""},
        {"View/Last/None", "Ctrl+O"}, {"View/Last/3 sec", ""}, {"View/Last/12 sec", "Ctrl+K"},
        {"View/Last/60 Sec", ""}, {"View/Last/600 sec", ""},
        {"Select  F3", ""}, {"Help", ""},
    };
    for (const auto& [caption, key] : expected) {
        auto found = entries.find(caption);
        ASSERT_NE(found, entries.end()) << caption.toStdString();
        EXPECT_EQ(found->second, key) << caption.toStdString();
    }
    EXPECT_EQ(w.menus().mnuMarks.size(), 6u);
    EXPECT_EQ(w.menus().mnuLasts[7]->text().remove('&'), "600 sec");
}

// The Alt letters of the entries of one menu, checking that each has one.
std::vector<QChar> AltLetters(const QList<QAction*>& actions)
{
    std::vector<QChar> letters;
    for (QAction* a : actions) {
        if (a->isSeparator())
            continue;
        const QString text = a->text();
        const qsizetype amp = text.indexOf('&');
        EXPECT_TRUE(amp >= 0 && amp + 1 < text.size() && text.indexOf('&', amp + 1) < 0) << text.toStdString();
        if (amp >= 0 && amp + 1 < text.size())
            letters.push_back(text.at(amp + 1).toUpper());
        if (a->menu()) {
            const std::vector<QChar> inner = AltLetters(a->menu()->actions());
            EXPECT_EQ(std::set<QChar>(inner.begin(), inner.end()).size(), inner.size()) << text.toStdString();
        }
    }
    return letters;
}

TEST(PlotWindow, EveryMenuAndEntryHasAnAltLetterOfItsOwn)
{
    Session s;
    PlotWindow w(s);
    QMenuBar bar;
    w.BuildMenus(&bar);
    const std::vector<QChar> top = AltLetters(bar.actions());
    EXPECT_EQ(top, (std::vector<QChar>{'F', 'E', 'V', 'S', 'H'}));
}

TEST(PlotWindow, AltLettersOpenTheMenusAndChooseTheirEntries)
{
    Session s;
    s.lderr = 1;
    QMainWindow frame;
    auto* w = new PlotWindow(s);
    frame.setCentralWidget(w);
    w->BuildMenus(frame.menuBar());
    frame.show();
    QApplication::setActiveWindow(&frame);
    w->Picture1->setFocus();
    QTest::keyClick(&frame, Qt::Key_V, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return w->menus().mnuView->isVisible(); }, 2000));
    // "Transpose" is the R of the View menu.
    QTest::keyClick(w->menus().mnuView, Qt::Key_R);
    EXPECT_EQ(s.iTran, -1);
    EXPECT_FALSE(w->menus().mnuView->isVisible());
}

TEST(PlotWindow, CheckMarksFollowTheSession)
{
    Session s;
    s.iLast = 7;
    s.iFont = 2;
    s.iAuto = -1;
    s.iTitScrn = 1;
    s.iTitGrph = 0;
    PlotWindow w(s);
    QMenuBar bar;
    w.BuildMenus(&bar);
    const PlotMenus& m = w.menus();
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(m.mnuLasts[static_cast<size_t>(i)]->isChecked(), i == 7) << i;
    EXPECT_TRUE(m.mnuFonts[2]->isChecked());
    EXPECT_FALSE(m.mnuFonts[4]->isChecked());
    EXPECT_TRUE(m.mnuAuto->isChecked());
    EXPECT_FALSE(m.mnuNext->isChecked());
    EXPECT_TRUE(m.mnuTitScrn->isChecked());
    EXPECT_FALSE(m.mnuTitGrph->isChecked());
}

TEST(PlotWindow, ButtonBarHoldsTheButtonsAndNumberBoxes)
{
    Session s;
    s.iStep = 10;
    s.nCols = 3;
    s.nRows = 4;
    PlotWindow w(s);
    const std::pair<QPushButton*, const char*> buttons[] = {
        {w.Command1, "Prev"}, {w.Command2, "Next"}, {w.Command3, "Zoom Out"}, {w.Command7, "Zoom In"},
        {w.Command4, "<"}, {w.Command5, ">"}, {w.Command6, "Print"}, {w.Command8, "Save"}};
    for (const auto& [button, caption] : buttons) {
        EXPECT_EQ(button->text(), caption);
        EXPECT_EQ(button->parentWidget(), w.Frame1);
    }
    EXPECT_EQ(w.Text1->toolTip(), "Set Drawing rate of data.");
    EXPECT_EQ(w.Text2->toolTip(), "Set Columns Number.");
    EXPECT_EQ(w.Text3->toolTip(), "Set Rows Number.");
    w.ShowBoxes();
    EXPECT_EQ(w.Text1->text(), "10");
    EXPECT_EQ(w.Text2->text(), "3");
    EXPECT_EQ(w.Text3->text(), "4");
    for (QTimer* t : {&w.Timer1, &w.Timer2, &w.Timer3, &w.Timer4, &w.Timer5})
        EXPECT_FALSE(t->isActive());
    // The spin controls step within their ranges and write into their boxes.
    for (int i = 0; i < 5; ++i)
        w.UpDown2->StepUp();
    EXPECT_EQ(w.Text2->text(), "6");
    w.UpDown1->StepUp();
    EXPECT_EQ(w.Text4->text(), "1");
    EXPECT_EQ(w.Timer2.interval(), 220);
    EXPECT_EQ(w.Timer4.interval(), 220);
}

TEST(PlotWindow, ResizeLaysOutAPictureOfWholeFivePixelStepsAndDelaysTheDrawing)
{
    Session s;
    s.lderr = 0;
    PlotWindow w(s);
    w.resize(803, 611);
    w.FormResize();
    const QRect pic = w.Picture1->geometry();
    EXPECT_EQ(pic.topLeft(), QPoint(5, 5));
    EXPECT_EQ(pic.width() % 5, 0);
    EXPECT_EQ(pic.height() % 5, 0);
    EXPECT_LE(pic.width(), 803 - 10);
    EXPECT_GT(pic.width(), 803 - 15);
    EXPECT_EQ(w.Frame1->y(), pic.bottom() + 1);
    EXPECT_EQ(w.Label2->text(), QString(" %1 x %2").arg(pic.width()).arg(pic.height()));
    EXPECT_TRUE(w.Timer1.isActive());
    EXPECT_EQ(w.Timer1.interval(), 210);
    w.PictDraw();
    EXPECT_EQ(w.Picture1->image().size(), pic.size());
}

TEST(PlotWindow, ResizeDoesNothingWithoutLoadedData)
{
    Session s;
    s.lderr = 1;
    PlotWindow w(s);
    w.resize(400, 300);
    w.FormResize();
    EXPECT_FALSE(w.Timer1.isActive());
}

class NoFilesServices : public StartupServices {
public:
    bool unloaded = false;
    bool FileExists(const std::string&) override { return false; }
    std::string CurrentFolder() override { return "/nowhere/"; }
    std::string ProgramFolder() override { return "/nowhere/"; }
    std::string LastSettingsFile(const std::string& fallback) override { return fallback; }
    DataDialogResult ShowDataDialog(const std::string&, const std::string&) override
    {
        DataDialogResult r;
        r.outcome = DataDialogResult::Chosen;
        r.names = {"/nowhere/x.bin"};
        return r;
    }
    bool AskYesNo(const std::string&, const std::string&) override { return true; }
    ScreenArea Screen() override { return {}; }
    void IniFiles(Session&) override {}
    void IniStart(Session&) override {}
    void LoadData(Session& s) override { s.lderr = loadError; }
    void IniGrphs(Session&) override {}
    void IniScale(Session&) override {}
    void InitRanges(Session&) override {}
    void IniWrite(Session&) override {}
    void ReleaseData() override { unloaded = true; }
    void UnloadDialogs() override {}
    int loadError = 1;
};

TEST(FrameWindow, AFailedLoadUnloadsThePlotWindowAndLeavesNoFrame)
{
    Session s;
    NoFilesServices services;
    FrameWindow frame(s, services, "");
    EXPECT_EQ(frame.windowTitle(), "Quillon Simulation Plot");
    EXPECT_FALSE(frame.Load());
    EXPECT_TRUE(services.unloaded);
    EXPECT_EQ(frame.plotWindow(), nullptr);
    EXPECT_FALSE(frame.isVisible());
    // Placed all the same, so that the settings written at the unload keep
    // the stored state.
    EXPECT_EQ(frame.State(), kMaximisedState);
}

TEST(FrameWindow, ALoadedPlotWindowShowsWithItsMenusInTheFrame)
{
    Session s;
    NoFilesServices services;
    services.loadError = 0;
    s.iWstt = kNormalState;
    FrameWindow frame(s, services, "");
    ASSERT_TRUE(frame.Load());
    ASSERT_NE(frame.plotWindow(), nullptr);
    EXPECT_TRUE(frame.isVisible());
    QStringList titles;
    for (QAction* a : frame.menuBar()->actions())
        titles << QString(a->text()).remove('&');
    EXPECT_EQ(titles, (QStringList{"File", "Edit", "View", "Select  F3", "Help"}));
    frame.close();
    EXPECT_TRUE(services.unloaded);
}

} // namespace
} // namespace zan

// The menus of the main window with their captions and shortcut keys.
#include "dialogs/about_box.h"
#include "dialogs/plot_window.h"
#include "dialogs/view_options.h"
#include "session/data_library.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

namespace zan {

QAction* PlotWindow::AddEntry(QMenu* menu, const char* caption, const QKeySequence& key)
{
    QAction* action = menu->addAction(QString::fromLatin1(caption));
    if (!key.isEmpty())
        action->setShortcut(key);
    return action;
}

namespace {

template <size_t N>
void AddChoices(QMenu* menu, std::array<QAction*, N>& entries, const std::array<const char*, N>& captions)
{
    for (size_t i = 0; i < N; ++i) {
        entries[i] = menu->addAction(QString::fromLatin1(captions[i]));
        entries[i]->setCheckable(true);
    }
}

// Tips for the entries whose caption does not tell what they do, shown
// while the pointer rests on them in their menu.
void AddTips(const PlotMenus& m)
{
    const std::pair<QAction*, const char*> tips[] = {
        {m.mnuOpen, "Show other data files instead of these"},
        {m.mnuAppend, "Show more data files beside these"},
        {m.mnuReload, "Read the data files again"},
        {m.mnuRezoom, "Back to the whole range of the data; scales set by hand are dropped"},
        {m.mnuAuto, "Follow the data files while they grow or change"},
        {m.mnuNext, "While following, move on to the next numbered file of each series"},
        {m.mnuNextFile, "Show the next numbered file of each series"},
        {m.mnuPrevFile, "Show the previous numbered file of each series"},
        {m.mnuPrint, "Print the page"},
        {m.mnuLoadIni, "Show the data files and layout of a settings file"},
        {m.mnuSaveIni, "Save the data files and layout to a settings file"},
        {m.mnuExtrDbl, "Write the shown variables in their visible ranges to a binary file of doubles"},
        {m.mnuExtrBin, "Write the shown variables in their visible ranges to a binary file of singles"},
        {m.mnuExtrCsv, "Write the shown variables in their visible ranges to a text file"},
        {m.mnuQuit, "Leave without saving the settings"},
        {m.mnuExit, "Leave and save the settings to Zan.ini"},
        {m.mnuCopy, "Copy the page as a picture"},
        {m.mnuPaste, "Show the picture on the clipboard in place of the page"},
        {m.mnuSave, "Save the page as a bitmap file"},
        {m.mnuMove, "Shift and scale single lines"},
        {m.mnuClear, "Remove all time markers"},
        {m.mnuMarks[0], "Curves without marks"},
        {m.mnuMarks[1], "Curves with marks spaced apart"},
        {m.mnuMarks[2], "Curves with a mark at every point"},
        {m.mnuMarks[3], "Marks at every point, no curves"},
        {m.mnuMarks[4], "Dots at every point, no curves"},
        {m.mnuMarks[5], "Curves with a red dot at every point"},
        {m.mnuColors[0], "A colour for each line"},
        {m.mnuColors[1], "A colour for each data file"},
        {m.mnuTran, "Number the graphs down the columns instead of along the rows"},
    };
    for (const auto& [entry, tip] : tips)
        entry->setToolTip(QString::fromLatin1(tip));
}

} // namespace

// Every menu and entry has an Alt letter of its own within its menu. The
// captions stay as they are (the letter is only underlined), and Alt with a
// letter is free: the shortcuts use Ctrl and the function keys, the key
// table arrows, paging and keypad keys.
void PlotWindow::BuildMenus(QMenuBar* bar)
{
    PlotMenus& m = menus_;
    m.mnuFile = bar->addMenu("&File");
    m.mnuOpen = AddEntry(m.mnuFile, "&Open", Qt::Key_F4);
    m.mnuAppend = AddEntry(m.mnuFile, "&Append", Qt::CTRL | Qt::Key_F4);
    m.mnuReload = AddEntry(m.mnuFile, "&Reload", Qt::Key_F5);
    m.mnuRezoom = AddEntry(m.mnuFile, "Re&zoom", Qt::Key_F6);
    m.mnuFile->addSeparator();
    m.mnuAuto = AddEntry(m.mnuFile, "A&utoLoad", Qt::CTRL | Qt::Key_A);
    m.mnuAuto->setCheckable(true);
    m.mnuNext = AddEntry(m.mnuFile, "AutoNe&xt", Qt::CTRL | Qt::Key_N);
    m.mnuNext->setCheckable(true);
    m.mnuNextFile = AddEntry(m.mnuFile, "&NextFile", Qt::CTRL | Qt::Key_L);
    m.mnuPrevFile = AddEntry(m.mnuFile, "&PrevFile", Qt::CTRL | Qt::Key_P);
    m.mnuFile->addSeparator();
    m.mnuPrint = AddEntry(m.mnuFile, "Pr&int");
    m.mnuLoadIni = AddEntry(m.mnuFile, "&Load Ini");
    m.mnuSaveIni = AddEntry(m.mnuFile, "&Save Ini");
    m.mnuFile->addSeparator();
    m.mnuExtrDbl = AddEntry(m.mnuFile, "Extract &Dbl Bin", Qt::Key_F7);
    m.mnuExtrBin = AddEntry(m.mnuFile, "Extract &Bin", Qt::Key_F8);
    m.mnuExtrCsv = AddEntry(m.mnuFile, "Extract &Csv", Qt::Key_F9);
    m.mnuFile->addSeparator();
    m.mnuQuit = AddEntry(m.mnuFile, "&Quit", Qt::CTRL | Qt::Key_Q);
    m.mnuExit = AddEntry(m.mnuFile, "&Exit", Qt::CTRL | Qt::Key_X);

    m.mnuEdit = bar->addMenu("&Edit");
    m.mnuCopy = AddEntry(m.mnuEdit, "&Copy", Qt::CTRL | Qt::Key_C);
    m.mnuPaste = AddEntry(m.mnuEdit, "&Paste", Qt::CTRL | Qt::Key_V);
    m.mnuSave = AddEntry(m.mnuEdit, "&Save", Qt::CTRL | Qt::Key_S);
    m.mnuMove = AddEntry(m.mnuEdit, "&Move ", Qt::CTRL | Qt::Key_M);
    m.mnuClear = AddEntry(m.mnuEdit, "C&lear", Qt::CTRL | Qt::Key_D);

    m.mnuView = bar->addMenu("&View");
    AddChoices<6>(m.mnuView->addMenu("&Marks..."), m.mnuMarks,
                  {"&Off", "O&n", "&All", "On&ly", "&Dots", "&Pins"});
    QMenu* titles = m.mnuView->addMenu("&Titles");
    m.mnuTitScrn = AddEntry(titles, "&Screen");
    m.mnuTitGrph = AddEntry(titles, "&Graphs");
    m.mnuTitLine = AddEntry(titles, "&Lines");
    m.mnuTitYAxis = AddEntry(titles, "&Y Axis");
    m.mnuTitXAxis = AddEntry(titles, "&X Axis");
    m.mnuTitFiles = AddEntry(titles, "&Files");
    for (QAction* a : {m.mnuTitScrn, m.mnuTitGrph, m.mnuTitLine, m.mnuTitYAxis, m.mnuTitXAxis, m.mnuTitFiles})
        a->setCheckable(true);
    AddChoices<5>(m.mnuView->addMenu("Te&xt"), m.mnuTexts, {"&Huge", "&Large", "&Normal", "&Small", "&Tiny"});
    AddChoices<7>(m.mnuView->addMenu("&Font..."), m.mnuFonts,
                  {"&Arial", "&Courier", "&Georgia", "&Tahoma", "T&imes", "Ca&libri", "&Verdana"});
    AddChoices<2>(m.mnuView->addMenu("&Color"), m.mnuColors, {"&Lines", "&Files"});
    m.mnuTran = AddEntry(m.mnuView, "T&ranspose");
    m.mnuTran->setCheckable(true);
    QMenu* last = m.mnuView->addMenu("&Last");
    last->menuAction()->setToolTip("Show only the last seconds of the time");
    AddChoices<8>(last, m.mnuLasts,
                  {"&None", "&3 sec", "&6 sec", "1&2 sec", "3&0 sec", "60 &Sec", "&120 sec", "600 s&ec"});
    m.mnuLasts[0]->setShortcut(Qt::CTRL | Qt::Key_O);
    m.mnuLasts[3]->setShortcut(Qt::CTRL | Qt::Key_K);

    // F3 also reaches the window as a key; the menu only names it.
    m.mnuSelect = bar->addAction("&Select  F3");
    m.mnuHelp = bar->addAction("&Help");
    AddTips(m);
    for (QMenu* menu : bar->findChildren<QMenu*>())
        menu->setToolTipsVisible(true);
    WireSelect();

    connect(m.mnuHelp, &QAction::triggered, this, [this] { ShowAboutBox(this, session_, TheLibrary()); });
    connect(m.mnuPrint, &QAction::triggered, this, [this] {
        ButnStat();
        PrntDraw();
    });
    connect(m.mnuQuit, &QAction::triggered, this, [this] {
        session_.iQuit = 1;
        if (onUnload)
            onUnload();
    });
    connect(m.mnuExit, &QAction::triggered, this, [this] {
        session_.iQuit = 0;
        if (onUnload)
            onUnload();
    });
    // The View menu: a changed option draws the page again and moves the marks.
    auto redrawIf = [this](bool changed) {
        if (changed)
            PictDraw();
        ButnStat();
    };
    auto choices = [&](auto& entries, int Session::*field) {
        for (size_t i = 0; i < entries.size(); ++i)
            connect(entries[i], &QAction::triggered, this, [this, redrawIf, field, i] {
                redrawIf(ChooseOption(session_.*field, static_cast<int>(i)));
            });
    };
    choices(m.mnuMarks, &Session::iMark);
    choices(m.mnuTexts, &Session::iFsiz);
    choices(m.mnuFonts, &Session::iFont);
    choices(m.mnuColors, &Session::iFclr);
    const std::pair<QAction*, int Session::*> titleFlags[] = {
        {m.mnuTitScrn, &Session::iTitScrn}, {m.mnuTitGrph, &Session::iTitGrph},
        {m.mnuTitLine, &Session::iTitLine}, {m.mnuTitYAxis, &Session::iTitYAxis},
        {m.mnuTitXAxis, &Session::iTitXAxis}, {m.mnuTitFiles, &Session::iTitFiles}};
    for (const auto& [entry, flag] : titleFlags)
        connect(entry, &QAction::triggered, this, [this, redrawIf, flag = flag] {
            redrawIf(ToggleTitle(session_.*flag));
        });
    connect(m.mnuTran, &QAction::triggered, this, [this, redrawIf] { redrawIf(ToggleTranspose(session_)); });
    for (size_t i = 0; i < m.mnuLasts.size(); ++i)
        connect(m.mnuLasts[i], &QAction::triggered, this, [this, redrawIf, i] {
            const bool changed = ChooseLast(session_, static_cast<int>(i));
            if (changed)
                Timer5.setInterval(WatchInterval(session_.iLast));
            redrawIf(changed);
        });
    connect(m.mnuClear, &QAction::triggered, this, [this] {
        if (ClearMarkers(session_))
            PictDraw();
    });

    connect(m.mnuCopy, &QAction::triggered, this, &PlotWindow::CopyBitmap);
    connect(m.mnuPaste, &QAction::triggered, this, &PlotWindow::PasteBitmap);
    connect(m.mnuSave, &QAction::triggered, this, &PlotWindow::SaveBitmap);
    ButnStat();
}

} // namespace zan

// The main plot window: the page picture, the button bar with the number
// boxes, the readout labels, the menus and the five window timers. It holds
// controls and forwards their events; the behaviour lives in plain functions.
#pragma once

#include "interact/plot_mouse.h"
#include "render/draw_gate.h"
#include "session/session_state.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <array>
#include <functional>
#include <string>

class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;

namespace zan {

class PlotFiles;
class PlotPicture;
class PlotWheel;
class SelectionWindow;
class SessionHost;
class StartupServices;
class UpDown;

// The menu entries of the main window, by their control names.
struct PlotMenus {
    QMenu* mnuFile = nullptr;
    QAction* mnuOpen = nullptr;
    QAction* mnuAppend = nullptr;
    QAction* mnuReload = nullptr;
    QAction* mnuRezoom = nullptr;
    QAction* mnuAuto = nullptr;
    QAction* mnuNext = nullptr;
    QAction* mnuNextFile = nullptr;
    QAction* mnuPrevFile = nullptr;
    QAction* mnuPrint = nullptr;
    QAction* mnuLoadIni = nullptr;
    QAction* mnuSaveIni = nullptr;
    QAction* mnuExtrDbl = nullptr;
    QAction* mnuExtrBin = nullptr;
    QAction* mnuExtrCsv = nullptr;
    QAction* mnuQuit = nullptr;
    QAction* mnuExit = nullptr;

    QMenu* mnuEdit = nullptr;
    QAction* mnuCopy = nullptr;
    QAction* mnuPaste = nullptr;
    QAction* mnuSave = nullptr;
    QAction* mnuMove = nullptr;
    QAction* mnuClear = nullptr;

    QMenu* mnuView = nullptr;
    std::array<QAction*, 6> mnuMarks{};   // Off, On, All, Only, Dots, Pins
    QAction* mnuTitScrn = nullptr;
    QAction* mnuTitGrph = nullptr;
    QAction* mnuTitLine = nullptr;
    QAction* mnuTitYAxis = nullptr;
    QAction* mnuTitXAxis = nullptr;
    QAction* mnuTitFiles = nullptr;
    std::array<QAction*, 5> mnuTexts{};   // Huge .. Tiny
    std::array<QAction*, 7> mnuFonts{};   // Arial .. Verdana
    std::array<QAction*, 2> mnuColors{};  // Lines, Files
    QAction* mnuTran = nullptr;
    std::array<QAction*, 8> mnuLasts{};   // None .. 600 sec

    QAction* mnuSelect = nullptr;
    QAction* mnuHelp = nullptr;
};

class PlotWindow : public QWidget {
    Q_OBJECT
public:
    explicit PlotWindow(Session& session, QWidget* parent = nullptr);
    ~PlotWindow() override;

    Session& session() { return session_; }

    // Fills a menu bar (the frame's) with the menus of this window.
    void BuildMenus(QMenuBar* bar);
    const PlotMenus& menus() const { return menus_; }

    // Lays out the picture and the bar for the window's size and asks for a
    // drawing; nothing while no data are loaded.
    void FormResize();
    // Draws the current page on the picture; asked for while a drawing
    // runs, the page is drawn once right after it.
    void PictDraw();
    // Pages drawn on the picture since the window was made.
    int pagesDrawn() const { return drawings_.pagesDrawn(); }
    // Prints the current page, once no drawing runs or waits.
    void PrntDraw();
    // Redraws only the highlight rings and the time markers on the picture.
    // A mouse press does not let pending events run meanwhile, so that its
    // release is not handled before the press is.
    void ObjtRect(bool letEventsRun = true);
    // The window is laid out again once the pictures being drawn are done.
    void RelayoutAfterDrawing() { relayout_ = true; }
    // Brings buttons and check marks in line with the session.
    void ButnStat();
    // Draws after delay milliseconds; further calls within the delay restart it.
    void DrawDelayed(int delay);
    // A caption in the page label, with the tooltip that tells it in full.
    void SetPageNote(const std::string& text, const std::string& tip = {});
    // The facts of a load that did not go plainly (label, and one line per
    // file for the tooltip): shown by the first page drawn after it.
    void ShowLoadNote(const std::string& label, const std::string& lines);
    // Puts iStep, nCols and nRows into their boxes.
    void ShowBoxes();
    void ShowBoxes(int step, int cols, int rows);

    // The variable selection window ("Select  F3"): opened without waiting;
    // its applied rows lay out and draw the page again.
    void ShowSelect();
    // Closes the selection window if it is open, applying as its close box does.
    void UnloadSelect();
    SelectionWindow* selectWindow() const { return select_; }

    // Wires the File menu, the watch timer, the extraction commands and the
    // move window to the session's file commands.
    void ConnectFiles(StartupServices& services, SessionHost& host);
    PlotFiles* files() const { return files_; }
    // Edit > "Move ": opens the move window "Move Line".
    void ShowMove();

    // The Edit commands on the picture.
    void SaveBitmap();
    void CopyBitmap();
    void PasteBitmap();

    // Interaction on the picture, keys, buttons and boxes
    // (plot_window_mouse.cpp, plot_window_keys.cpp).
    // PictDraw, then ButnStat.
    void Redraw();
    // The fixed scale and legend windows, beside a point of the picture.
    void ShowFixedScale(double x, double y);
    void ShowLegend(double x, double y);
    // The hover readout at the last mouse position.
    void WhatFile();
    // The live readout at the last mouse position.
    void UpdateReadout();
    // The key table; returns the code the controls still see.
    int FormKeyDown(int keyCode);
    MouseState Mouse;
    // The fixed scale or legend window while one is open.
    QPointer<QWidget> Popup;

    // Called with the pointer shape for the frame: true for the hourglass.
    std::function<void(bool)> onBusyPointer;
    // Called when the window is to be unloaded (Quit, Exit).
    std::function<void()> onUnload;

    // Controls, by their control names.
    PlotPicture* Picture1 = nullptr;
    QFrame* Frame1 = nullptr;
    QPushButton* Command1 = nullptr;  // Prev
    QPushButton* Command2 = nullptr;  // Next
    QPushButton* Command3 = nullptr;  // Zoom Out
    QPushButton* Command4 = nullptr;  // <
    QPushButton* Command5 = nullptr;  // >
    QPushButton* Command6 = nullptr;  // Print
    QPushButton* Command7 = nullptr;  // Zoom In
    QPushButton* Command8 = nullptr;  // Save
    QLineEdit* Text1 = nullptr;       // drawing rate
    QLineEdit* Text2 = nullptr;       // columns
    QLineEdit* Text3 = nullptr;       // rows
    QLineEdit* Text4 = nullptr;       // decimal exponent of the drawing rate
    UpDown* UpDown1 = nullptr;
    UpDown* UpDown2 = nullptr;
    UpDown* UpDown3 = nullptr;
    QLabel* Label2 = nullptr;         // picture size, page indicator, save and print notes
    QLabel* Label3 = nullptr;         // hover readout on the picture
    QLabel* LabelD = nullptr;         // live cursor readout
    QLabel* LabelL = nullptr;         // "Last" time window
    QTimer Timer1;                    // delayed drawing
    QTimer Timer2;                    // repeat of "<"
    QTimer Timer3;                    // repeat of ">"
    QTimer Timer4;                    // hover delay of the readout
    QTimer Timer5;                    // file watching

    int SaveNum = 0;                  // number of the next bitmap file

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void WireMouse();
    void WireKeys();
    void WireButtons();
    void WireBoxes();
    void BuildControls();
    void BuildTimers();
    QAction* AddEntry(QMenu* menu, const char* caption, const QKeySequence& key = {});
    double TwipsPerPixelX() const;
    double TwipsPerPixelY() const;

    void WireSelect();
    // The drawings the gate runs, one at a time.
    void DrawPage();
    void DrawOverlay(bool letEventsRun);
    void DrawingsDone();

    Session& session_;
    render::DrawGate drawings_;
    // A label's new width asks for the window to be laid out again once the
    // drawings are done.
    bool relayout_ = false;
    std::string loadNote_;
    std::string loadNoteLines_;
    PlotMenus menus_;
    SelectionWindow* select_ = nullptr;
    PlotFiles* files_ = nullptr;  // child object, made by ConnectFiles
    PlotWheel* wheel_ = nullptr;  // child object: the wheel's gesture and its timer
};

} // namespace zan

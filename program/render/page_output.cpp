#include "render/page_output.h"

#include "render/page_layout.h"

#include <algorithm>
#include <tuple>

namespace zan::render {

std::string PageLabel(int page, int pages)
{
    return "Page " + std::to_string(page) + "/" + std::to_string(pages);
}

void PictDraw(zan::Session& s, ScreenPicture& screen)
{
    screen.erase();
    const int pages = PageCount(s);
    s.iPage = std::max(std::min(s.iPage, pages), 1);
    screen.setPageLabel(PageLabel(s.iPage, pages));
    ObjtDraw(s, screen.target(), &screen);
    screen.refresh();
    screen.updateReadout();
}

namespace {

// What a drawing leaves in the session for the mouse and the cursor readout:
// the cells, their graphs' axes and the page bands. A printed page has other
// sizes; the screen's must stay for the picture that is still shown.
struct ScreenLayout {
    explicit ScreenLayout(const zan::Session& s)
        : cells(s.CellTab), graphs(s.GrphTab), curCell(s.CurCell), curGrph(s.CurGrph), Ytitl(s.Ytitl),
          Yarea(s.Yarea), Yfoot(s.Yfoot), SizeUnit(s.SizeUnit), MarkKind(s.MarkKind), mx{s.mx1, s.mx2, s.mxr, s.mx4, s.mxr2},
          my{s.my1, s.my2, s.myr, s.my4, s.myr2}, LblFmtX(s.LblFmtX), LblFmtY(s.LblFmtY), drErr(s.drErr)
    {
    }

    void restore(zan::Session& s) const
    {
        s.CellTab = cells;
        s.GrphTab = graphs;
        s.CurCell = curCell;
        s.CurGrph = curGrph;
        s.Ytitl = Ytitl;
        s.Yarea = Yarea;
        s.Yfoot = Yfoot;
        s.SizeUnit = SizeUnit;
        s.MarkKind = MarkKind;
        std::tie(s.mx1, s.mx2, s.mxr, s.mx4, s.mxr2) = std::tie(mx[0], mx[1], mx[2], mx[3], mx[4]);
        std::tie(s.my1, s.my2, s.myr, s.my4, s.myr2) = std::tie(my[0], my[1], my[2], my[3], my[4]);
        s.LblFmtX = LblFmtX;
        s.LblFmtY = LblFmtY;
        s.drErr = drErr;
    }

    decltype(zan::Session::CellTab) cells;
    decltype(zan::Session::GrphTab) graphs;
    zan::CellRecord curCell;
    zan::GraphRecord curGrph;
    double Ytitl, Yarea, Yfoot, SizeUnit;
    int MarkKind;
    int mx[5];
    int my[5];
    std::string LblFmtX, LblFmtY;
    int drErr;
};

}  // namespace

std::string PrntDraw(zan::Session& s, PrintDevice& device)
{
    const ScreenLayout screen(s);
    device.setBusyPointer(true);
    std::string pdf;
    std::unique_ptr<PrintJob> job = device.startPrinterJob(kPrintJobName);
    if (!job) job = device.startPdfJob(kPrintJobName, pdf);
    if (!job) {
        device.setBusyPointer(false);
        device.setPageLabel("Print failed");
        return std::string();
    }
    ObjtDraw(s, job->page(), &device);
    screen.restore(s);
    device.setBusyPointer(true);
    job->finish();
    device.setBusyPointer(false);
    if (!pdf.empty()) device.setPageLabel("Printed to " + pdf);
    return pdf;
}

}  // namespace zan::render

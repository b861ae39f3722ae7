#include "render/page_output.h"

#include "render/page_layout.h"

#include <algorithm>

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

std::string PrntDraw(zan::Session& s, PrintDevice& device)
{
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
    device.setBusyPointer(true);
    job->finish();
    device.setBusyPointer(false);
    if (!pdf.empty()) device.setPageLabel("Printed to " + pdf);
    return pdf;
}

}  // namespace zan::render

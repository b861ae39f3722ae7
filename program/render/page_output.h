// The two ways a page leaves the program: drawn on the screen picture
// (PictDraw) and printed (PrntDraw). Both are plain logic over small
// interfaces that the window and the printing system implement.
#ifndef ZAN_RENDER_PAGE_OUTPUT_H
#define ZAN_RENDER_PAGE_OUTPUT_H

#include "render/draw_target.h"
#include "render/objt_draw.h"
#include "session/session_state.h"

#include <memory>
#include <string>

namespace zan::render {

// Name of the print job.
inline constexpr const char* kPrintJobName = "ZAN Graph";

// The plot picture of the main window with its persistent image.
class ScreenPicture : public DrawHost {
public:
    // Fills the persistent image with the background colour.
    virtual void erase() = 0;
    // A drawing target on the persistent image, valid until the next call.
    virtual DrawTarget& target() = 0;
    // Ends drawing on the image and shows it.
    virtual void refresh() = 0;
    // Caption of the page label ("Label2").
    virtual void setPageLabel(const std::string& caption) = 0;
    // Cursor readout for the current pointer position.
    virtual void updateReadout() {}
};

// One print job of one page.
class PrintJob {
public:
    virtual ~PrintJob() = default;
    virtual DrawTarget& page() = 0;
    // Ends the page and the document.
    virtual void finish() = 0;
};

class PrintDevice : public DrawHost {
public:
    // A job on the system printer, or nullptr when there is no printer or
    // it does not accept the document.
    virtual std::unique_ptr<PrintJob> startPrinterJob(const std::string& docName) = 0;
    // A job written to a PDF file instead; path receives its name.
    virtual std::unique_ptr<PrintJob> startPdfJob(const std::string& docName, std::string& path) = 0;
    // Caption of the page label ("Label2").
    virtual void setPageLabel(const std::string& caption) = 0;
};

// "Page 2/5": numbers without leading blanks.
std::string PageLabel(int page, int pages);

// Draws the current page on the screen: erase, clamp iPage to the pages
// that exist (at least 1), "Page i/n", the drawing, refresh, readout.
void PictDraw(zan::Session& s, ScreenPicture& screen);

// Prints the current page only, as job "ZAN Graph". Without a printer the
// page goes to a PDF file and the page label names it; when neither works
// the label says so. Returns the PDF file's name, empty when printed.
std::string PrntDraw(zan::Session& s, PrintDevice& device);

}  // namespace zan::render

#endif

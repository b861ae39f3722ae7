// The printing system on Qt.
#ifndef ZAN_RENDER_QT_PAGE_OUTPUT_H
#define ZAN_RENDER_QT_PAGE_OUTPUT_H

#include "render/page_output.h"

#include <functional>
#include <memory>
#include <string>

namespace zan::render {

// The system printer, and PDF files "Print000.pdf", "Print001.pdf", ... (the
// first name not taken) in a folder when there is no printer.
class QtPrintDevice : public PrintDevice {
public:
    explicit QtPrintDevice(std::string pdfFolder, bool useSystemPrinter = true);

    std::unique_ptr<PrintJob> startPrinterJob(const std::string& docName) override;
    std::unique_ptr<PrintJob> startPdfJob(const std::string& docName, std::string& path) override;
    void setPageLabel(const std::string& caption) override;

    std::function<void(const std::string&)> pageLabel;
    std::function<void(bool)> busyPointer;
    void setBusyPointer(bool busy) override;

private:
    std::string folder_;
    bool useSystemPrinter_;
};

// Name of the first free "Print" + three digits + ".pdf" in the folder.
std::string NextPdfName(const std::string& folder);

}  // namespace zan::render

#endif

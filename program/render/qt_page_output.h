// The screen picture and the printing system on Qt.
#ifndef ZAN_RENDER_QT_PAGE_OUTPUT_H
#define ZAN_RENDER_QT_PAGE_OUTPUT_H

#include "render/image_target.h"
#include "render/page_output.h"

#include <QImage>

#include <functional>
#include <memory>
#include <string>

namespace zan::render {

// The persistent image of the plot picture. The window gives callbacks for
// what it shows; the image itself is what save and copy take.
class ImagePicture : public ScreenPicture {
public:
    struct Callbacks {
        std::function<void(const std::string&)> pageLabel;
        std::function<void(const std::string&)> lastLabel;
        std::function<void(bool)> busyPointer;
        std::function<void()> shown;          // after refresh: repaint the widget
        std::function<void()> processEvents;
        std::function<void()> readout;
    };

    ImagePicture(int width, int height);
    void setCallbacks(Callbacks callbacks) { callbacks_ = std::move(callbacks); }

    // Resizes the image (contents are lost); a drawing in progress ends.
    void resize(int width, int height);
    const QImage& image() const { return image_; }
    QImage& image() { return image_; }

    void erase() override;
    DrawTarget& target() override;
    void refresh() override;
    void setPageLabel(const std::string& caption) override;
    void updateReadout() override;
    void setBusyPointer(bool busy) override;
    void setLastLabel(const std::string& caption) override;
    void processEvents() override;

private:
    QImage image_;
    std::unique_ptr<ImageTarget> target_;
    Callbacks callbacks_;
};

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

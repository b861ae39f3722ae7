#include "render/qt_page_output.h"

#include "render/painter_target.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace zan::render {

namespace {

// Resolution of the PDF page: an A4 landscape page of 3508 x 2480 pixels.
constexpr int kPdfResolution = 300;

// Painting ends before the device goes, so the page is complete.
template <class Device>
class DeviceJob : public PrintJob {
public:
    explicit DeviceJob(std::unique_ptr<Device> device)
        : device_(std::move(device)), target_(std::make_unique<PainterTarget>(*device_)) {}
    bool active() const { return target_ && target_->isActive(); }
    DrawTarget& page() override { return *target_; }
    void finish() override { target_.reset(); }

private:
    std::unique_ptr<Device> device_;
    std::unique_ptr<PainterTarget> target_;
};

}  // namespace

std::string NextPdfName(const std::string& folder)
{
    namespace fs = std::filesystem;
    for (int n = 0;; ++n) {
        char name[32];
        std::snprintf(name, sizeof name, "Print%03d.pdf", n);
        const fs::path p = fs::path(folder) / name;
        std::error_code ec;
        if (!fs::exists(p, ec)) return p.generic_string();
    }
}

QtPrintDevice::QtPrintDevice(std::string pdfFolder, bool useSystemPrinter)
    : folder_(std::move(pdfFolder)), useSystemPrinter_(useSystemPrinter)
{
}

std::unique_ptr<PrintJob> QtPrintDevice::startPrinterJob(const std::string& docName)
{
    if (!useSystemPrinter_ || QPrinterInfo::availablePrinters().isEmpty()) return nullptr;
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setDocName(QString::fromStdString(docName));
    printer->setPageOrientation(QPageLayout::Landscape);
    if (!printer->isValid()) return nullptr;
    auto job = std::make_unique<DeviceJob<QPrinter>>(std::move(printer));
    if (!job->active()) return nullptr;
    return job;
}

std::unique_ptr<PrintJob> QtPrintDevice::startPdfJob(const std::string& docName, std::string& path)
{
    path = NextPdfName(folder_);
    auto writer = std::make_unique<QPdfWriter>(QString::fromStdString(path));
    writer->setTitle(QString::fromStdString(docName));
    writer->setResolution(kPdfResolution);
    writer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(10, 10, 10, 10),
                                      QPageLayout::Millimeter));
    auto job = std::make_unique<DeviceJob<QPdfWriter>>(std::move(writer));
    if (!job->active()) {
        path.clear();
        return nullptr;
    }
    return job;
}

void QtPrintDevice::setPageLabel(const std::string& caption)
{
    if (pageLabel) pageLabel(caption);
}

void QtPrintDevice::setBusyPointer(bool busy)
{
    if (busyPointer) busyPointer(busy);
}

}  // namespace zan::render

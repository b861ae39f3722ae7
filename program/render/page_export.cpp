#include "render/page_export.h"

#include "platform/file_dialog.h"
#include "platform/file_system.h"
#include "platform/message_box.h"
#include "platform/screen_metrics.h"
#include "platform/settings_store.h"
#include "render/image_target.h"
#include "render/objt_draw.h"
#include "render/page_layout.h"
#include "render/page_output.h"
#include "render/painter_target.h"
#include "session/load_failures.h"
#include "session/session_host.h"
#include "session/startup_services.h"

#include <QFile>
#include <QImageWriter>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

#include <algorithm>
#include <vector>

namespace zan {

namespace {

// Messages go to the error stream; a question is answered No, so that a
// failed load ends the export instead of waiting for a user.
class HeadlessHost : public SessionHost {
public:
    HeadlessHost(std::string cmdLine, std::ostream& err) : cmdLine_(std::move(cmdLine)), err_(err) {}
    MsgResult Message(const std::string& text, const std::string& title, MsgButtons buttons, MsgIcon) override
    {
        err_ << "zan: " << title << ": " << text << "\n";
        return buttons == MsgButtons::YesNo ? MsgResult::No : MsgResult::Ok;
    }
    const platform::SettingsStore& Store() const override { return store_; }
    void EndProgram() override { ended = true; }
    // The files that did not load plainly, one line each.
    void ShowLoadNote(const std::string&, const std::string& lines) override
    {
        for (size_t at = 0; at < lines.size();) {
            const size_t end = std::min(lines.find('\n', at), lines.size());
            err_ << "zan: " << lines.substr(at, end - at) << "\n";
            at = end + 1;
        }
    }
    std::string CommandLine() const override { return cmdLine_; }

    bool ended = false;

private:
    std::string cmdLine_;
    std::ostream& err_;
    platform::SettingsStore store_;
};

class NoFileDialog : public FileDialog {
public:
    FileDialogResult show(const FileDialogRequest&) override { return {}; }
};

// The question before loading many files is answered Yes: the user named them.
class AgreeingMessageBox : public MessageBox {
public:
    MessageAnswer show(const std::string&, const std::string&, MessageButtons buttons, MessageIcon) override
    {
        return buttons == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::Ok;
    }
};

class FixedScreen : public ScreenMetrics {
public:
    PixelRect virtualScreen() const override { return {0, 0, 1920, 1080}; }
    double twipsPerPixelX() const override { return 15; }
    double twipsPerPixelY() const override { return 15; }
    int scrollBarWidth() const override { return 16; }
};

// Writes the pages into one PDF file of one sheet per page, in the order
// given; why receives the reason of a failure.
bool WritePdf(Session& s, const ProgramArgs& args, const std::string& name, const std::vector<int>& pages,
              std::string& why)
{
    QFile file(QString::fromStdString(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        why = file.errorString().toStdString();
        return false;
    }
    bool drawn = false;
    {
        QPdfWriter writer(&file);
        writer.setTitle("ZAN Graph");
        writer.setCreator("Zan");
        // One point per pixel, so the page has the asked size in device units.
        writer.setResolution(72);
        writer.setPageSize(QPageSize(QSizeF(args.width, args.height), QPageSize::Point));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Point);
        render::PainterTarget target(writer);
        drawn = target.isActive();
        for (size_t k = 0; drawn && k < pages.size(); ++k) {
            drawn = k == 0 || writer.newPage();
            s.iPage = pages[k];
            if (drawn)
                render::ObjtDraw(s, target);
        }
    } // the document is complete once the painter has ended
    file.close();
    if (!drawn || file.error() != QFileDevice::NoError) {
        why = drawn ? file.errorString().toStdString() : "the PDF could not be drawn";
        file.remove();
        return false;
    }
    return true;
}

bool WriteImage(Session& s, const ProgramArgs& args, const std::string& name, std::string& why)
{
    const QImage image = DrawPageImage(s, args.width, args.height);
    QImageWriter writer(QString::fromStdString(name), args.exportFormat == ExportFormat::Bmp ? "BMP" : "PNG");
    if (writer.write(image))
        return true;
    why = writer.errorString().toStdString();
    return false;
}

// Writes the pages the arguments ask for and tells on out where each went.
bool WritePages(Session& s, const ProgramArgs& args, const std::vector<int>& pages, int pageCount,
                std::ostream& out, std::ostream& err)
{
    std::string why;
    // A PDF without a page number in its name takes all pages.
    if (args.exportFormat == ExportFormat::Pdf && !HasPageNumber(args.exportFile)) {
        if (!WritePdf(s, args, args.exportFile, pages, why)) {
            err << "zan: cannot write " << args.exportFile << ": " << why << "\n";
            return false;
        }
        if (pages.size() == 1)
            out << PageCaption(s, pageCount);
        else
            out << "Pages 1 to " << pageCount << " of " << pageCount;
        out << " written to " << args.exportFile << "\n";
        return true;
    }
    for (int page : pages) {
        const std::string name = PageFileName(args.exportFile, page);
        s.iPage = page;
        const bool written = args.exportFormat == ExportFormat::Pdf ? WritePdf(s, args, name, {page}, why)
                                                                    : WriteImage(s, args, name, why);
        if (!written) {
            err << "zan: cannot write " << name << ": " << why << "\n";
            return false;
        }
        out << PageCaption(s, pageCount) << " written to " << name << "\n";
    }
    return true;
}

} // namespace

int ClampPage(Session& s)
{
    const int pages = render::PageCount(s);
    s.iPage = std::max(std::min(s.iPage, pages), 1);
    return pages;
}

std::string PageCaption(const Session& s, int pages)
{
    return render::PageLabel(s.iPage, pages);
}

QImage DrawPageImage(Session& s, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    render::ImageTarget target(image);
    render::ObjtDraw(s, target);
    return image;
}

int ExportPage(const ProgramArgs& args, std::ostream& out, std::ostream& err)
{
    const bool anyFile = std::any_of(args.files.begin(), args.files.end(),
                                     [](const std::string& f) { return fileexists(f); });
    if (!anyFile) {
        err << "zan: none of the data files exists\n";
        return 1;
    }
    const std::string cmdLine = CommandLineText(args.files);
    HeadlessHost host(cmdLine, err);
    NoFileDialog dialog;
    AgreeingMessageBox messages;
    FixedScreen screen;
    DataLibrary& library = TheLibrary();
    ProgramServices services(host, library, dialog, messages, screen);
    services.endRequested = [&host] { return host.ended; };

    // Start-up passes over names that do not exist; the export names them.
    int failed = 0;
    for (const std::string& f : args.files) {
        if (fileexists(f)) continue;
        err << "zan: " << f << ": no such file\n";
        ++failed;
    }

    Session s;
    const LoadResult loaded = FormLoad(s, services, cmdLine);
    // The files that gave no data were named on err by the loading itself.
    failed += s.lderr == 0 ? FailedFileCount(s) : 0;
    if (loaded.outcome != LoadOutcome::Loaded || host.ended || s.lderr != 0 || FailedFileCount(s) == s.nFile) {
        err << "zan: the data files could not be loaded\n";
        library.Close();
        return 1;
    }
    s.iPage = args.page;
    const int pages = ClampPage(s);
    std::vector<int> wanted{s.iPage};
    if (args.allPages) {
        if (pages == 0) {
            err << "zan: --page all: the data give no page to export (no graphs)\n";
            library.Close();
            return 1;
        }
        wanted.clear();
        for (int p = 1; p <= pages; ++p)
            wanted.push_back(p);
    }
    const bool written = WritePages(s, args, wanted, pages, out, err);
    library.Close();
    if (!written)
        return 1;
    // The page holds only the files that loaded: not a success.
    return failed > 0 ? 1 : 0;
}

} // namespace zan

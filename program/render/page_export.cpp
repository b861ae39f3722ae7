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

#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

#include <algorithm>

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

bool WritePdf(Session& s, const ProgramArgs& args)
{
    QPdfWriter writer(QString::fromStdString(args.exportFile));
    writer.setTitle("ZAN Graph");
    writer.setCreator("Zan");
    // One point per pixel, so the page has the asked size in device units.
    writer.setResolution(72);
    writer.setPageSize(QPageSize(QSizeF(args.width, args.height), QPageSize::Point));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Point);
    render::PainterTarget target(writer);
    if (!target.isActive())
        return false;
    render::ObjtDraw(s, target);
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

    bool written = false;
    if (args.exportFormat == ExportFormat::Pdf) {
        written = WritePdf(s, args);
    } else {
        const QImage image = DrawPageImage(s, args.width, args.height);
        written = image.save(QString::fromStdString(args.exportFile),
                             args.exportFormat == ExportFormat::Bmp ? "BMP" : "PNG");
    }
    library.Close();
    if (!written) {
        err << "zan: cannot write " << args.exportFile << "\n";
        return 1;
    }
    out << PageCaption(s, pages) << " written to " << args.exportFile << "\n";
    // The page holds only the files that loaded: not a success.
    return failed > 0 ? 1 : 0;
}

} // namespace zan

#include "session/startup_services.h"

#include <zan.h>

#include <QCoreApplication>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QSettings>

#include <filesystem>

namespace zan {

namespace {

std::string WithSlash(std::string folder)
{
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder;
}

} // namespace

bool ProgramServices::FileExists(const std::string& path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

std::string ProgramServices::CurrentFolder()
{
    return DefaultFolder();
}

std::string ProgramServices::ProgramFolder()
{
    return WithSlash(QCoreApplication::applicationDirPath().toStdString());
}

std::string ProgramServices::LastSettingsFile(const std::string& fallback)
{
    QSettings store("ZAN", "ZAN");
    return store.value("Startup/filename", QString::fromStdString(fallback)).toString().toStdString();
}

DataDialogResult ProgramServices::ShowDataDialog(const std::string& fileName, const std::string& folder)
{
    DataDialogResult result;
    QFileDialog dialog(nullptr, QString(), QString::fromStdString(folder),
                       "Binary data (*.bin *.dat *.csv)");
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setDefaultSuffix("bin");
    dialog.selectFile(QString::fromStdString(fileName.empty() ? "out.bin" : fileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        result.outcome = DataDialogResult::Cancelled;
        return result;
    }
    const QStringList files = dialog.selectedFiles();
    result.outcome = DataDialogResult::Chosen;
    if (files.size() == 1) {
        result.names.push_back(files.front().toStdString());
        return result;
    }
    result.folder = WithSlash(dialog.directory().absolutePath().toStdString());
    for (const QString& file : files)
        result.names.push_back(std::filesystem::path(file.toStdString()).filename().string());
    return result;
}

bool ProgramServices::AskYesNo(const std::string& title, const std::string& text)
{
    return QMessageBox::question(nullptr, QString::fromStdString(title), QString::fromStdString(text),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

ScreenArea ProgramServices::Screen()
{
    ScreenArea area;
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return area;
    const QRect virtualArea = screen->virtualGeometry();
    area.left = virtualArea.left();
    area.top = virtualArea.top();
    area.width = virtualArea.width();
    area.height = virtualArea.height();
    if (screen->logicalDotsPerInchX() > 0)
        area.tx = 1440.0 / screen->logicalDotsPerInchX();
    if (screen->logicalDotsPerInchY() > 0)
        area.ty = 1440.0 / screen->logicalDotsPerInchY();
    return area;
}

void ProgramServices::IniFiles(Session&) {}
void ProgramServices::IniStart(Session&) {}
void ProgramServices::LoadData(Session&) {}
void ProgramServices::IniGrphs(Session&) {}
void ProgramServices::IniScale(Session&) {}
void ProgramServices::InitRanges(Session&) {}
void ProgramServices::IniWrite(Session&) {}

void ProgramServices::ReleaseData()
{
    int32_t result = 0;
    dclos(&result);
}

void ProgramServices::UnloadDialogs() {}

} // namespace zan

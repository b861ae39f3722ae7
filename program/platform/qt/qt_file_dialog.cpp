#include "platform/qt/qt_file_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

namespace zan {

FileDialogResult QtFileDialog::show(const FileDialogRequest& request)
{
    QFileDialog dialog(parent_);
    const bool open = request.kind == FileDialogRequest::Kind::Open;
    dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    if (open)
        dialog.setFileMode(request.allowMultiple ? QFileDialog::ExistingFiles
                                                 : (request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile));
    else
        dialog.setFileMode(QFileDialog::AnyFile);
    if (!request.initialFolder.empty() && QDir(QString::fromStdString(request.initialFolder)).exists())
        dialog.setDirectory(QString::fromStdString(request.initialFolder));
    if (!request.defaultExtension.empty()) dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
    QStringList filters;
    for (const auto& f : nameFilters(request.filter)) filters << QString::fromStdString(f);
    if (!filters.isEmpty()) dialog.setNameFilters(filters);
    if (!request.fileName.empty()) dialog.selectFile(QString::fromStdString(request.fileName));

    FileDialogResult result;
    if (dialog.exec() != QDialog::Accepted) return result;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty()) return result;

    const std::string folder = QFileInfo(chosen.front()).absolutePath().toStdString();
    std::vector<std::string> names;
    for (const QString& path : chosen) {
        // The answer names one folder; a selection spread over folders
        // cannot be expressed, and is refused like an invalid name.
        if (QFileInfo(path).absolutePath().toStdString() != folder) {
            result.outcome = FileDialogResult::Outcome::InvalidFileName;
            return result;
        }
        names.push_back(QFileInfo(path).fileName().toStdString());
    }
    result.text = selectionText(folder, names);
    result.outcome = result.text.size() > request.maxTextLength ? FileDialogResult::Outcome::InvalidFileName
                                                                : FileDialogResult::Outcome::Chosen;
    if (result.outcome != FileDialogResult::Outcome::Chosen) result.text.clear();
    return result;
}

}  // namespace zan

#include "filelist/QtFilePicker.h"

#include <QFileDialog>

namespace quillmere::filelist {

QStringList QtFilePicker::pickFiles(QWidget* owner, const QString& title, const QStringList& filters) {
    QFileDialog dialog(owner, title, lastFolder_);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setNameFilters(filters);
    if (dialog.exec() != QDialog::Accepted) {
        return {};
    }
    lastFolder_ = dialog.directory().absolutePath();
    return dialog.selectedFiles();
}

QString QtFilePicker::pickFolder(QWidget* owner, const QString& title) {
    const QString folder = QFileDialog::getExistingDirectory(owner, title, lastFolder_);
    if (!folder.isEmpty()) {
        lastFolder_ = folder;
    }
    return folder;
}

} // namespace quillmere::filelist

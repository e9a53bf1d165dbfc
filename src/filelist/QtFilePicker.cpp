#include "filelist/QtFilePicker.h"

#include <QFileDialog>

namespace quillmere::filelist {

QStringList QtFilePicker::pickFiles(QWidget* owner, const QString& title, const QStringList& filters) {
    QFileDialog dialog(owner, title);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setNameFilters(filters);
    if (dialog.exec() != QDialog::Accepted) {
        return {};
    }
    return dialog.selectedFiles();
}

QString QtFilePicker::pickFolder(QWidget* owner, const QString& title) {
    return QFileDialog::getExistingDirectory(owner, title);
}

} // namespace quillmere::filelist

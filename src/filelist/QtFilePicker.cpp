#include "filelist/QtFilePicker.h"

#include <QFileDialog>
#include <QFileInfo>

namespace quillmere {

QStringList QtFilePicker::pickFiles(QWidget* owner, const QString& title, const QStringList& filters) {
    QFileDialog dialog(owner, title);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setNameFilters(filters);
    if (dialog.exec() != QDialog::Accepted) {
        return {};
    }
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.size() <= 1) {
        return chosen;
    }
    const QString folder = QFileInfo(chosen.first()).path();
    QStringList pick{folder};
    for (const QString& path : chosen) {
        const QFileInfo file(path);
        pick << (file.path() == folder ? file.fileName() : path);
    }
    return pick;
}

QString QtFilePicker::pickFolder(QWidget* owner, const QString& title) {
    return QFileDialog::getExistingDirectory(owner, title);
}

} // namespace quillmere

#pragma once

#include "filelist/FilePicker.h"

#include <QDir>

namespace quillmere::filelist {

// The platform's own dialogs, through Qt. Both open in the folder used last in this run, or at first in the home
// folder, not in whatever folder the program happened to be started from.
class QtFilePicker final : public FilePicker {
public:
    QStringList pickFiles(QWidget* owner, const QString& title, const QStringList& filters) override;
    QString pickFolder(QWidget* owner, const QString& title) override;

private:
    QString lastFolder_ = QDir::homePath();
};

} // namespace quillmere::filelist

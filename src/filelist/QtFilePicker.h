#pragma once

#include "filelist/FilePicker.h"

namespace quillmere::filelist {

// The platform's own dialogs, through Qt.
class QtFilePicker final : public FilePicker {
public:
    QStringList pickFiles(QWidget* owner, const QString& title, const QStringList& filters) override;
    QString pickFolder(QWidget* owner, const QString& title) override;
};

} // namespace quillmere::filelist

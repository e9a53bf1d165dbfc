#pragma once

#include "filelist/FilePicker.h"

#include <QString>
#include <QStringList>

namespace quillmere::testing {

// Answers the dialogs as a user would have, and keeps what they were asked with.
class AnsweringPicker final : public FilePicker {
public:
    QStringList files;
    QString folder;
    int asked = 0;
    QString title;
    QStringList filters;

    QStringList pickFiles(QWidget*, const QString& dialogTitle, const QStringList& dialogFilters) override {
        ++asked;
        title = dialogTitle;
        filters = dialogFilters;
        return files;
    }
    QString pickFolder(QWidget*, const QString& dialogTitle) override {
        ++asked;
        title = dialogTitle;
        return folder;
    }
};

} // namespace quillmere::testing

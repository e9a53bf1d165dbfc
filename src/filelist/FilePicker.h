#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace quillmere::filelist {

// The dialogs that choose what to add to the list, behind an interface so that tests can answer them.
class FilePicker {
public:
    virtual ~FilePicker() = default;

    // A modal open dialog for several files of one folder. Gives the full paths in the dialog's order, or nothing
    // on cancel.
    virtual QStringList pickFiles(QWidget* owner, const QString& title, const QStringList& filters) = 0;
    // A modal folder chooser. Gives the folder's path, or an empty text on cancel.
    virtual QString pickFolder(QWidget* owner, const QString& title) = 0;
};

} // namespace quillmere::filelist

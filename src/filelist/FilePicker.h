#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace quillmere {

// The dialogs that choose what to add to the list, behind an interface so that tests can answer them.
class FilePicker {
public:
    virtual ~FilePicker() = default;

    // A modal open dialog for several files of one folder. Gives nothing on cancel, the full path when one file
    // was picked, and otherwise the folder followed by the names in the dialog's order.
    virtual QStringList pickFiles(QWidget* owner, const QString& title, const QStringList& filters) = 0;
    // A modal folder chooser. Gives the folder's path, or an empty text on cancel.
    virtual QString pickFolder(QWidget* owner, const QString& title) = 0;
};

// The paths a pick of pickFiles() stands for: each name joined to the folder with exactly one '/'. A name that is
// already a full path (a dialog may give one for a file typed in from elsewhere) stands for itself.
QStringList PickedPaths(const QStringList& pick);

} // namespace quillmere

#pragma once

#include "app/BusyPointer.h"
#include "app/MainWindowControls.h"
#include "base/ColumnRule.h"
#include "filelist/FolderWalkJob.h"
#include "import/run/ImportRequest.h"

#include <QWidget>

#include <optional>

namespace quillmere {
class ImportJob;
}

namespace quillmere::filelist {
class FilePicker;
}

namespace quillmere::app {

// The caption of the window and of every message box.
inline constexpr auto ApplicationTitle = "Quillmere";

// The program's one window. It holds the file list and the user's choices, fills the list through the picker
// and the folder walk, and hands the list and the choices to the import job.
class MainWindow : public QWidget {
    Q_OBJECT

public:
    // The hand pointer over the picture buttons comes from "HAND-M.CUR" in the program's folder when it can.
    // The list's pointer during a row drag comes from "drag.ico" there.
    MainWindow(ImportJob& job, filelist::FilePicker& picker, const QString& programFolder, QWidget* parent = nullptr);

    // Puts the paths in the list in their order, each folder walked as "Add All File(s) In Folder" walks it. A path
    // that cannot be read goes in as it is: the import names it.
    void addPaths(const QList<FilePath>& paths);

protected:
    // The window goes at once; the import and the folder walk stop at their next step.
    void closeEvent(QCloseEvent* event) override;

private:
    void setUpWindow();
    void setUpPointers(const QString& programFolder);
    void setUpFirstFocus();
    void addFiles();
    void addFolder();
    void walk(const QList<FilePath>& paths);
    void folderWalked(const filelist::FolderFiles& found);
    void startImport();
    void showProgress(int percent);
    void importFinished(const QString& failure);
    ImportRequest currentRequest() const;
    ColumnRule currentRule() const;

    ImportJob& job_;
    filelist::FilePicker& picker_;
    MainWindowControls controls_;
    filelist::FolderWalkJob walk_;
    std::optional<BusyPointer> walking_;
    // Paths given to addPaths() that wait for the folder walk before them.
    QList<FilePath> pendingPaths_;
    std::optional<BusyPointer> importing_;
};

} // namespace quillmere::app

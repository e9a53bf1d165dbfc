#pragma once

#include <QCoreApplication>

class QGroupBox;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QWidget;

namespace quillmere::filelist {
class FileListModel;
class FileListView;
} // namespace quillmere::filelist

namespace quillmere::app {

class PictureButton;

// The controls of the main window, owned by it; each carries its member name as object name. The old form's names,
// for tracing behaviour back: fileList ListView1, addFilesButton Check1, addFolderButton Check4, importButton Check2,
// layoutGroup Frame2, singleSheetOption Option5, perFileOption Option6, columnsGroup Frame1, noSplitOption Option1,
// splitAtSpaceOption Option2, splitAtCommaOption Option3, splitAtTextOption Option4, delimiterBox Text1,
// splitAtTabOption Option7, progressBar ProgressBar1, firstFocusStop Command1; the window itself Form1.
struct MainWindowControls {
    filelist::FileListView* fileList = nullptr;
    filelist::FileListModel* files = nullptr;
    PictureButton* addFilesButton = nullptr;
    PictureButton* addFolderButton = nullptr;
    PictureButton* importButton = nullptr;
    QGroupBox* layoutGroup = nullptr;
    QRadioButton* singleSheetOption = nullptr;
    QRadioButton* perFileOption = nullptr;
    QGroupBox* columnsGroup = nullptr;
    QRadioButton* noSplitOption = nullptr;
    QRadioButton* splitAtSpaceOption = nullptr;
    QRadioButton* splitAtCommaOption = nullptr;
    QRadioButton* splitAtTextOption = nullptr;
    QLineEdit* delimiterBox = nullptr;
    QRadioButton* splitAtTabOption = nullptr;
    QProgressBar* progressBar = nullptr;
    QPushButton* firstFocusStop = nullptr;

    Q_DECLARE_TR_FUNCTIONS(MainWindowControls)
};

// Puts every control in its place on the form, with its caption, font, colours, tab order and first state.
MainWindowControls buildMainWindowControls(QWidget& form);

} // namespace quillmere::app

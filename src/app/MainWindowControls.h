#pragma once

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

// The controls of the main window, owned by it; each carries its member name as object name. The form this window
// follows called them, in this order: ListView1, -, Check1, Check4, Check2, Frame2, Option5, Option6, Frame1,
// Option1 to Option4, Text1, Option7, ProgressBar1, Command1.
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
};

// Puts every control in its place on the form, with its caption, font, colours, tab order and first state.
MainWindowControls BuildMainWindowControls(QWidget& form);

} // namespace quillmere::app

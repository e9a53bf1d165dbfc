#pragma once

class QGroupBox;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QWidget;

namespace quillmere {

class FileListModel;
class FileListView;
class PictureButton;

// The controls of the main window, owned by it; each carries its control name as object name.
struct Form1Controls {
    FileListView* ListView1 = nullptr;
    FileListModel* files = nullptr;
    PictureButton* Check1 = nullptr;
    PictureButton* Check4 = nullptr;
    PictureButton* Check2 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QRadioButton* Option5 = nullptr;
    QRadioButton* Option6 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QRadioButton* Option3 = nullptr;
    QRadioButton* Option4 = nullptr;
    QLineEdit* Text1 = nullptr;
    QRadioButton* Option7 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QPushButton* Command1 = nullptr;
};

// Puts every control in its place on the form, with its caption, font, colours, tab order and first state.
Form1Controls BuildForm1Controls(QWidget& form);

} // namespace quillmere

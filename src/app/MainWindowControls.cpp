#include "app/MainWindowControls.h"

#include "app/ArialFont.h"
#include "app/ButtonPictures.h"
#include "app/PictureButton.h"
#include "app/Twips.h"
#include "filelist/FileListModel.h"
#include "filelist/FileListView.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

namespace quillmere::app {

namespace {

constexpr qreal OptionPoints = 9;
constexpr qreal ButtonPoints = 11.25;
constexpr qreal ColumnTwips = 5300;

template <typename Control>
Control* place(Control* control, const char* name, const QRect& geometry) {
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(geometry);
    return control;
}

QGroupBox* group(QWidget& form, const char* name, const QString& accessibleName, const QRect& geometry) {
    auto* box = place(new QGroupBox(&form), name, geometry);
    box->setAccessibleName(accessibleName);
    return box;
}

QRadioButton* option(QGroupBox* group, const char* name, const QString& caption, const QRect& geometry) {
    auto* button = place(new QRadioButton(caption, group), name, geometry);
    button->setFont(arialBold(OptionPoints));
    return button;
}

PictureButton* pictureButton(QWidget& form, const char* name, const QIcon& picture, const QString& caption,
                             const QRect& geometry) {
    auto* button = place(new PictureButton(picture, caption, &form), name, geometry);
    button->setFont(arialBold(ButtonPoints));
    QPalette palette = button->palette();
    palette.setColor(QPalette::Button, Qt::white);
    button->setPalette(palette);
    return button;
}

void buildList(QWidget& form, const TwipScale& twips, MainWindowControls& c) {
    c.fileList = place(new filelist::FileListView(&form), "fileList", twips.rect(120, 120, 6375, 1575));
    c.fileList->setFont(arialBold(OptionPoints));
    c.fileList->setToolTip(
        MainWindowControls::tr("Drag and drop files here. Double-click item to remove it. Move bar to "
                               "right and out of window to reveal full names."));
    c.fileList->setAccessibleName(MainWindowControls::tr("Files to import"));
    c.fileList->setAccessibleDescription(MainWindowControls::tr(
        "Drag and drop files here. Double-click item or press Delete to remove it. Drag item, or press "
        "Alt+Up or Alt+Down, to move it. Move bar to right and out of window to reveal full names."));
    c.files = new filelist::FileListModel(c.fileList);
    c.fileList->setModel(c.files);
    c.fileList->setColumnWidth(0, twips(ColumnTwips));
}

void buildButtons(QWidget& form, const TwipScale& twips, MainWindowControls& c) {
    c.addFilesButton = pictureButton(form, "addFilesButton", textFilePicture(),
                                     MainWindowControls::tr("Add Text File(s)"), twips.rect(120, 1800, 2055, 1095));
    c.addFolderButton =
        pictureButton(form, "addFolderButton", folderPicture(), MainWindowControls::tr("Add All File(s) In Folder"),
                      twips.rect(2280, 1800, 2055, 1095));
    c.importButton = pictureButton(form, "importButton", spreadsheetPicture(), MainWindowControls::tr("Import To Calc"),
                                   twips.rect(4440, 1800, 2055, 1095));
    // Out of sight left of the window; it holds the first focus so that no visible control shows a focus mark.
    c.firstFocusStop = place(new QPushButton(MainWindowControls::tr("Command1"), &form), "firstFocusStop",
                             twips.rect(-720, 2640, 615, 495));
}

void buildLayoutGroup(QWidget& form, const TwipScale& twips, MainWindowControls& c) {
    c.layoutGroup = group(form, "layoutGroup", MainWindowControls::tr("Sheets"), twips.rect(120, 2900, 6375, 1095));
    c.singleSheetOption =
        option(c.layoutGroup, "singleSheetOption", MainWindowControls::tr("Import all text files to a single sheet"),
               twips.rect(240, 240, 5655, 255));
    c.perFileOption =
        option(c.layoutGroup, "perFileOption",
               MainWindowControls::tr("Import all text files to individual sheets and name sheets by file"),
               twips.rect(240, 600, 5775, 255));
    c.singleSheetOption->setChecked(true);
}

void buildColumnsGroup(QWidget& form, const TwipScale& twips, MainWindowControls& c) {
    c.columnsGroup = group(form, "columnsGroup", MainWindowControls::tr("Columns"), twips.rect(120, 3980, 6375, 2175));
    c.noSplitOption = option(c.columnsGroup, "noSplitOption",
                             MainWindowControls::tr("Do not create new columns in Excel by specific character"),
                             twips.rect(240, 240, 5655, 255));
    c.splitAtSpaceOption = option(c.columnsGroup, "splitAtSpaceOption",
                                  MainWindowControls::tr("Create a new column in Excel for every space in text file"),
                                  twips.rect(240, 600, 5415, 255));
    c.splitAtCommaOption = option(c.columnsGroup, "splitAtCommaOption",
                                  MainWindowControls::tr("Create a new column in Excel for every comma in text file"),
                                  twips.rect(240, 960, 5415, 255));
    c.splitAtTextOption = option(c.columnsGroup, "splitAtTextOption",
                                 MainWindowControls::tr("Create a new column in Excel for every X in text file"),
                                 twips.rect(240, 1320, 4640, 255));
    c.delimiterBox = place(new QLineEdit(c.columnsGroup), "delimiterBox", twips.rect(5040, 1280, 975, 330));
    c.delimiterBox->setFont(arialBold(OptionPoints));
    c.delimiterBox->setAccessibleName(MainWindowControls::tr("Text that starts a new column"));
    c.delimiterBox->setAccessibleDescription(MainWindowControls::tr("Stands for X in the option beside it"));
    // The platform's option mark takes more room than the layout allowed for: the caption may run up to the box.
    const int roomToDelimiterBox = c.delimiterBox->x() - c.splitAtTextOption->x() - 1;
    c.splitAtTextOption->resize(
        std::clamp(c.splitAtTextOption->sizeHint().width(), c.splitAtTextOption->width(), roomToDelimiterBox),
        c.splitAtTextOption->height());
    c.splitAtTabOption = option(c.columnsGroup, "splitAtTabOption",
                                MainWindowControls::tr("Create a new column in Excel for every tab in text file"),
                                twips.rect(240, 1680, 5115, 255));
    c.noSplitOption->setChecked(true);
}

void buildProgressBar(QWidget& form, const TwipScale& twips, MainWindowControls& c) {
    c.progressBar = place(new QProgressBar(&form), "progressBar", twips.rect(120, 6240, 6375, 375));
    c.progressBar->setRange(0, 100);
    c.progressBar->setValue(0);
    c.progressBar->setTextVisible(false);
    c.progressBar->setAccessibleName(MainWindowControls::tr("Import progress"));
    QPalette palette = c.progressBar->palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Window, Qt::white);
    c.progressBar->setPalette(palette);
}

// Tab enters an option group at its chosen option only; the arrow keys move within the group.
void tabIntoTheChoice(const QGroupBox* group) {
    const QList<QRadioButton*> options = group->findChildren<QRadioButton*>();
    for (QRadioButton* button : options) {
        const auto follow = [button](bool checked) {
            button->setFocusPolicy(checked ? Qt::StrongFocus : Qt::ClickFocus);
        };
        follow(button->isChecked());
        QObject::connect(button, &QRadioButton::toggled, button, follow);
    }
}

void setTabOrder(const MainWindowControls& c) {
    QWidget* const order[] = {c.firstFocusStop,     c.addFilesButton, c.importButton,      c.fileList,
                              c.addFolderButton,    c.delimiterBox,   c.splitAtTextOption, c.splitAtCommaOption,
                              c.splitAtSpaceOption, c.noSplitOption,  c.splitAtTabOption,  c.singleSheetOption,
                              c.perFileOption};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }
}

} // namespace

MainWindowControls buildMainWindowControls(QWidget& form) {
    const TwipScale twips(form.logicalDpiX());
    MainWindowControls controls;
    buildList(form, twips, controls);
    buildButtons(form, twips, controls);
    buildLayoutGroup(form, twips, controls);
    buildColumnsGroup(form, twips, controls);
    buildProgressBar(form, twips, controls);
    setTabOrder(controls);
    tabIntoTheChoice(controls.columnsGroup);
    tabIntoTheChoice(controls.layoutGroup);
    return controls;
}

} // namespace quillmere::app

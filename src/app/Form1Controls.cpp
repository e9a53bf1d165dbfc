#include "app/Form1Controls.h"

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

namespace quillmere {

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

QRadioButton* option(QGroupBox* frame, const char* name, const QString& caption, const QRect& geometry) {
    auto* button = place(new QRadioButton(caption, frame), name, geometry);
    button->setFont(ArialBold(OptionPoints));
    return button;
}

PictureButton* pictureButton(QWidget& form, const char* name, const QIcon& picture, const QString& caption,
                             const QRect& geometry) {
    auto* button = place(new PictureButton(picture, caption, &form), name, geometry);
    button->setFont(ArialBold(ButtonPoints));
    QPalette palette = button->palette();
    palette.setColor(QPalette::Button, Qt::white);
    button->setPalette(palette);
    return button;
}

void buildList(QWidget& form, const TwipScale& twips, Form1Controls& c) {
    c.ListView1 = place(new FileListView(&form), "ListView1", twips.rect(120, 120, 6375, 1575));
    c.ListView1->setFont(ArialBold(OptionPoints));
    c.ListView1->setToolTip(QObject::tr("Drag and drop files here. Double-click item to remove it. Move bar to "
                                        "right and out of window to reveal full names."));
    c.ListView1->setAccessibleName(QObject::tr("Files to import"));
    c.ListView1->setAccessibleDescription(
        QObject::tr("Drag and drop files here. Double-click item or press Delete to remove it. Drag item, or press "
                    "Alt+Up or Alt+Down, to move it. Move bar to right and out of window to reveal full names."));
    c.files = new FileListModel(c.ListView1);
    c.ListView1->setModel(c.files);
    c.ListView1->setColumnWidth(0, twips(ColumnTwips));
}

void buildButtons(QWidget& form, const TwipScale& twips, Form1Controls& c) {
    c.Check1 = pictureButton(form, "Check1", TextFilePicture(), QObject::tr("Add Text File(s)"),
                             twips.rect(120, 1800, 2055, 1095));
    c.Check4 = pictureButton(form, "Check4", FolderPicture(), QObject::tr("Add All File(s) In Folder"),
                             twips.rect(2280, 1800, 2055, 1095));
    c.Check2 = pictureButton(form, "Check2", SpreadsheetPicture(), QObject::tr("Import To Calc"),
                             twips.rect(4440, 1800, 2055, 1095));
    // Out of sight left of the window; it holds the first focus so that no visible control shows a focus mark.
    c.Command1 = place(new QPushButton(QObject::tr("Command1"), &form), "Command1", twips.rect(-720, 2640, 615, 495));
}

void buildLayoutFrame(QWidget& form, const TwipScale& twips, Form1Controls& c) {
    c.Frame2 = place(new QGroupBox(&form), "Frame2", twips.rect(120, 2900, 6375, 1095));
    c.Frame2->setAccessibleName(QObject::tr("Sheets"));
    c.Option5 = option(c.Frame2, "Option5", QObject::tr("Import all text files to a single sheet"),
                       twips.rect(240, 240, 5655, 255));
    c.Option6 =
        option(c.Frame2, "Option6", QObject::tr("Import all text files to individual sheets and name sheets by file"),
               twips.rect(240, 600, 5775, 255));
    c.Option5->setChecked(true);
}

void buildRuleFrame(QWidget& form, const TwipScale& twips, Form1Controls& c) {
    c.Frame1 = place(new QGroupBox(&form), "Frame1", twips.rect(120, 3980, 6375, 2175));
    c.Frame1->setAccessibleName(QObject::tr("Columns"));
    c.Option1 = option(c.Frame1, "Option1", QObject::tr("Do not create new columns in Excel by specific character"),
                       twips.rect(240, 240, 5655, 255));
    c.Option2 = option(c.Frame1, "Option2", QObject::tr("Create a new column in Excel for every space in text file"),
                       twips.rect(240, 600, 5415, 255));
    c.Option3 = option(c.Frame1, "Option3", QObject::tr("Create a new column in Excel for every comma in text file"),
                       twips.rect(240, 960, 5415, 255));
    c.Option4 = option(c.Frame1, "Option4", QObject::tr("Create a new column in Excel for every X in text file"),
                       twips.rect(240, 1320, 4640, 255));
    c.Text1 = place(new QLineEdit(c.Frame1), "Text1", twips.rect(5040, 1280, 975, 330));
    c.Text1->setFont(ArialBold(OptionPoints));
    c.Text1->setAccessibleName(QObject::tr("Text that starts a new column"));
    c.Text1->setAccessibleDescription(QObject::tr("Stands for X in the option beside it"));
    // The platform's option mark takes more room than the layout allowed for: the caption may run up to Text1.
    const int roomToText1 = c.Text1->x() - c.Option4->x() - 1;
    c.Option4->resize(std::clamp(c.Option4->sizeHint().width(), c.Option4->width(), roomToText1), c.Option4->height());
    c.Option7 = option(c.Frame1, "Option7", QObject::tr("Create a new column in Excel for every tab in text file"),
                       twips.rect(240, 1680, 5115, 255));
    c.Option1->setChecked(true);
}

void buildProgressBar(QWidget& form, const TwipScale& twips, Form1Controls& c) {
    c.ProgressBar1 = place(new QProgressBar(&form), "ProgressBar1", twips.rect(120, 6240, 6375, 375));
    c.ProgressBar1->setRange(0, 100);
    c.ProgressBar1->setValue(0);
    c.ProgressBar1->setTextVisible(false);
    c.ProgressBar1->setAccessibleName(QObject::tr("Import progress"));
    QPalette palette = c.ProgressBar1->palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Window, Qt::white);
    c.ProgressBar1->setPalette(palette);
}

// Tab enters an option group at its chosen option only; the arrow keys move within the group.
void tabIntoTheChoice(const QGroupBox* frame) {
    const QList<QRadioButton*> options = frame->findChildren<QRadioButton*>();
    for (QRadioButton* button : options) {
        const auto follow = [button](bool checked) {
            button->setFocusPolicy(checked ? Qt::StrongFocus : Qt::ClickFocus);
        };
        follow(button->isChecked());
        QObject::connect(button, &QRadioButton::toggled, button, follow);
    }
}

void setTabOrder(const Form1Controls& c) {
    QWidget* const order[] = {c.Command1, c.Check1,  c.Check2,  c.ListView1, c.Check4,  c.Text1,  c.Option4,
                              c.Option3,  c.Option2, c.Option1, c.Option7,   c.Option5, c.Option6};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }
}

} // namespace

Form1Controls BuildForm1Controls(QWidget& form) {
    const TwipScale twips(form.logicalDpiX());
    Form1Controls controls;
    buildList(form, twips, controls);
    buildButtons(form, twips, controls);
    buildLayoutFrame(form, twips, controls);
    buildRuleFrame(form, twips, controls);
    buildProgressBar(form, twips, controls);
    setTabOrder(controls);
    tabIntoTheChoice(controls.Frame1);
    tabIntoTheChoice(controls.Frame2);
    return controls;
}

} // namespace quillmere

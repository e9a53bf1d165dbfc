#include "app/Form1.h"

#include "app/ButtonPictures.h"
#include "app/CenterForm.h"
#include "app/PictureButton.h"
#include "app/PointerFile.h"
#include "app/Twips.h"
#include "filelist/FileListModel.h"
#include "filelist/FileListView.h"
#include "filelist/FilePicker.h"
#include "import/ImportJob.h"
#include "import/ImportRun.h"
#include "import/ProblemList.h"

#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

namespace quillmere {

namespace {

constexpr qreal ClientWidthTwips = 6630;
constexpr qreal ClientHeightTwips = 6750;

// Plain text always: a path such as "<b>x</b>.txt" is shown as it is named.
void showMessage(QWidget* parent, QMessageBox::Icon icon, const QString& text) {
    QMessageBox box(icon, QString::fromLatin1(ApplicationTitle), text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace

Form1::Form1(ImportJob& job, FilePicker& picker, const QString& programFolder, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
    , job_(job)
    , picker_(picker)
    , controls_(BuildForm1Controls(*this)) {
    setUpWindow();
    setUpPointers(programFolder);
    setUpFirstFocus();

    connect(controls_.Check1, &PictureButton::clicked, this, &Form1::Check1_Click);
    connect(controls_.Check4, &PictureButton::clicked, this, &Form1::Check4_Click);
    connect(&walk_, &FolderWalkJob::finished, this, &Form1::folderWalked);
    connect(controls_.ListView1, &FileListView::pathsDropped, controls_.files,
            qOverload<const QStringList&>(&FileListModel::append));
    connect(controls_.Check2, &PictureButton::clicked, this, &Form1::Check2_Click);
    connect(&job_, &ImportJob::progressChanged, this, &Form1::showProgress);
    connect(&job_, &ImportJob::finished, this, &Form1::importFinished);
}

void Form1::setUpWindow() {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromLatin1(ApplicationTitle));
    setWindowIcon(TransparentIcon());
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
    const TwipScale twips(logicalDpiX());
    setFixedSize(twips(ClientWidthTwips), twips(ClientHeightTwips));
    CenterFormWhenShown(*this);
}

void Form1::closeEvent(QCloseEvent* event) {
    job_.requestStop();
    walk_.requestStop();
    QWidget::closeEvent(event);
}

void Form1::setUpPointers(const QString& programFolder) {
    const QDir folder(programFolder);
    const QCursor hand =
        LoadPointerFile(folder.filePath(QStringLiteral("HAND-M.CUR"))).value_or(QCursor(Qt::PointingHandCursor));
    for (PictureButton* button : {controls_.Check1, controls_.Check4, controls_.Check2}) {
        button->setCursor(hand);
    }
    if (const auto drag = LoadPointerFile(folder.filePath(QStringLiteral("drag.ico")))) {
        controls_.ListView1->setDragPointer(*drag);
    }
}

// The first focus stop lies out of sight and does nothing: a screen reader says whose window it is and how to go on.
void Form1::setUpFirstFocus() {
    controls_.Command1->setAccessibleName(QString::fromLatin1(ApplicationTitle));
    controls_.Command1->setAccessibleDescription(tr("Press Tab to move to the buttons"));
    controls_.Command1->setFocus();
}

void Form1::Check1_Click() {
    const QStringList pick = picker_.pickFiles(this, tr("Add File(s) - Use Ctrl & Shift to select multiple files"),
                                               {tr("Text Files (*.txt)"), tr("All Files (*)")});
    controls_.files->append(PickedPaths(pick));
}

// One walk at a time: a second one would interleave its rows with the first's.
void Form1::Check4_Click() {
    if (walking_) {
        return;
    }
    const QString folder = picker_.pickFolder(this, tr("Please select folder to add:"));
    if (folder.isEmpty()) {
        return;
    }
    walking_.emplace();
    walk_.start(folder);
}

void Form1::folderWalked(const FolderFiles& found) {
    controls_.files->append(found.files);
    walking_.reset();
    if (!found.unreadable.isEmpty()) {
        const QString heading = found.unreadable.size() == 1
                                    ? tr("This folder could not be read, so its files and subfolders were left out:")
                                    : tr("%1 folders could not be read, so their files and subfolders were left out:")
                                          .arg(found.unreadable.size());
        showMessage(this, QMessageBox::Warning, ProblemList(heading, ShownPaths(found.unreadable)));
    }
}

// The list and the choices stay usable while the import runs; only the button is deaf until it ends. An import
// waits for a folder walk, whose rows are not in the list yet.
void Form1::Check2_Click() {
    if (importing_ || walking_) {
        return;
    }
    if (controls_.files->rowCount() == 0) {
        showMessage(this, QMessageBox::NoIcon, tr("No files added."));
        return;
    }
    importing_.emplace();
    if (!job_.start(currentRequest())) {
        importing_.reset();
    }
}

// While the office loads a whole file it tells nothing of its progress: the bar shows that it works.
void Form1::showProgress(int percent) {
    if (!importing_) {
        return;
    }
    controls_.ProgressBar1->setMaximum(percent == ImportRun::WaitingOnOffice ? 0 : 100);
    controls_.ProgressBar1->setValue(std::max(percent, 0));
}

void Form1::importFinished(const QString& failure) {
    controls_.ProgressBar1->setMaximum(100);
    controls_.ProgressBar1->setValue(0);
    importing_.reset();
    if (!failure.isEmpty()) {
        showMessage(this, QMessageBox::Warning, failure);
    }
}

ImportRequest Form1::currentRequest() const {
    ImportRequest request;
    request.paths = controls_.files->paths();
    request.layout = controls_.Option5->isChecked() ? SheetLayout::SingleSheet : SheetLayout::SheetPerFile;
    request.rule = currentRule();
    request.customDelimiter = controls_.Text1->text();
    return request;
}

ColumnRule Form1::currentRule() const {
    if (controls_.Option2->isChecked()) {
        return ColumnRule::SplitAtSpace;
    }
    if (controls_.Option3->isChecked()) {
        return ColumnRule::SplitAtComma;
    }
    if (controls_.Option4->isChecked()) {
        return ColumnRule::SplitAtText;
    }
    if (controls_.Option7->isChecked()) {
        return ColumnRule::SplitAtTab;
    }
    return ColumnRule::NoSplit;
}

} // namespace quillmere

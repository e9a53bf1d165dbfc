#include "app/MainWindow.h"

#include "app/ButtonPictures.h"
#include "app/CenterForm.h"
#include "app/PictureButton.h"
#include "app/PointerFile.h"
#include "app/Twips.h"
#include "filelist/FileListModel.h"
#include "filelist/FileListView.h"
#include "filelist/FilePicker.h"
#include "import/job/ImportJob.h"
#include "import/run/ProblemList.h"

#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

namespace quillmere::app {

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

MainWindow::MainWindow(ImportJob& job, filelist::FilePicker& picker, const QString& programFolder, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
    , job_(job)
    , picker_(picker)
    , controls_(buildMainWindowControls(*this)) {
    setUpWindow();
    setUpPointers(programFolder);
    setUpFirstFocus();

    connect(controls_.addFilesButton, &PictureButton::clicked, this, &MainWindow::addFiles);
    connect(controls_.addFolderButton, &PictureButton::clicked, this, &MainWindow::addFolder);
    connect(&walk_, &filelist::FolderWalkJob::finished, this, &MainWindow::folderWalked);
    connect(controls_.fileList, &filelist::FileListView::pathsDropped, controls_.files,
            qOverload<const QStringList&>(&filelist::FileListModel::append));
    // A user who types what cuts the columns means that option; one chosen afterwards still wins.
    connect(controls_.delimiterBox, &QLineEdit::textEdited, controls_.splitAtTextOption,
            [this] { controls_.splitAtTextOption->setChecked(true); });
    connect(controls_.importButton, &PictureButton::clicked, this, &MainWindow::startImport);
    connect(&job_, &ImportJob::progressChanged, this, &MainWindow::showProgress);
    connect(&job_, &ImportJob::finished, this, &MainWindow::importFinished);
}

void MainWindow::setUpWindow() {
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(QString::fromLatin1(ApplicationTitle));
    setWindowIcon(transparentIcon());
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
    const TwipScale twips(logicalDpiX());
    setFixedSize(twips(ClientWidthTwips), twips(ClientHeightTwips));
    centerFormWhenShown(*this);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    job_.requestStop();
    walk_.requestStop();
    QWidget::closeEvent(event);
}

void MainWindow::setUpPointers(const QString& programFolder) {
    const QDir folder(programFolder);
    const QCursor hand =
        loadPointerFile(folder.filePath(QStringLiteral("HAND-M.CUR"))).value_or(QCursor(Qt::PointingHandCursor));
    for (PictureButton* button : {controls_.addFilesButton, controls_.addFolderButton, controls_.importButton}) {
        button->setCursor(hand);
    }
    if (const auto drag = loadPointerFile(folder.filePath(QStringLiteral("drag.ico")))) {
        controls_.fileList->setDragPointer(*drag);
    }
}

// The first focus stop lies out of sight and does nothing: a screen reader says whose window it is and how to go on.
void MainWindow::setUpFirstFocus() {
    controls_.firstFocusStop->setAccessibleName(QString::fromLatin1(ApplicationTitle));
    controls_.firstFocusStop->setAccessibleDescription(tr("Press Tab to move to the buttons"));
    controls_.firstFocusStop->setFocus();
}

void MainWindow::addFiles() {
    controls_.files->append(picker_.pickFiles(this, tr("Add File(s) - Use Ctrl & Shift to select multiple files"),
                                              {tr("Text Files (*.txt)"), tr("All Files (*)")}));
}

// One walk at a time: a second one would interleave its rows with the first's.
void MainWindow::addFolder() {
    if (walking_) {
        return;
    }
    const QString folder = picker_.pickFolder(this, tr("Please select folder to add:"));
    if (!folder.isEmpty()) {
        walk({FilePath(folder + u'/')});
    }
}

void MainWindow::addPaths(const QList<FilePath>& paths) {
    pendingPaths_ += paths;
    if (!walking_) {
        walk(std::exchange(pendingPaths_, {}));
    }
}

void MainWindow::walk(const QList<FilePath>& paths) {
    walking_.emplace();
    walk_.start(paths);
}

void MainWindow::folderWalked(const filelist::FolderFiles& found) {
    controls_.files->append(found.files);
    walking_.reset();
    if (!pendingPaths_.isEmpty()) {
        walk(std::exchange(pendingPaths_, {}));
    }
    if (!found.unreadable.isEmpty()) {
        showMessage(
            this, QMessageBox::Warning,
            problemList(filelist::unreadableFoldersHeading(found.unreadable.size()), shownPaths(found.unreadable)));
    }
}

// The list and the choices stay usable while the import runs; only the button is deaf until it ends. An import
// waits for a folder walk, whose rows are not in the list yet.
void MainWindow::startImport() {
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
void MainWindow::showProgress(int percent) {
    if (!importing_) {
        return;
    }
    controls_.progressBar->setMaximum(percent == WaitingOnOffice ? 0 : 100);
    controls_.progressBar->setValue(std::max(percent, 0));
}

void MainWindow::importFinished(const QString& failure) {
    controls_.progressBar->setMaximum(100);
    controls_.progressBar->setValue(0);
    importing_.reset();
    if (!failure.isEmpty()) {
        showMessage(this, QMessageBox::Warning, failure);
        return;
    }
    // A desktop may refuse the office the focus for the document it shows (GNOME on Wayland does, when the user went
    // to another window meanwhile): the next key, meant for the document, then lands where it does nothing.
    controls_.firstFocusStop->setFocus();
}

ImportRequest MainWindow::currentRequest() const {
    ImportRequest request;
    request.paths = controls_.files->paths();
    request.layout = controls_.singleSheetOption->isChecked() ? SheetLayout::SingleSheet : SheetLayout::SheetPerFile;
    request.rule = currentRule();
    request.customDelimiter = controls_.delimiterBox->text();
    return request;
}

ColumnRule MainWindow::currentRule() const {
    if (controls_.splitAtSpaceOption->isChecked()) {
        return ColumnRule::SplitAtSpace;
    }
    if (controls_.splitAtCommaOption->isChecked()) {
        return ColumnRule::SplitAtComma;
    }
    if (controls_.splitAtTextOption->isChecked()) {
        return ColumnRule::SplitAtText;
    }
    if (controls_.splitAtTabOption->isChecked()) {
        return ColumnRule::SplitAtTab;
    }
    return ColumnRule::NoSplit;
}

} // namespace quillmere::app

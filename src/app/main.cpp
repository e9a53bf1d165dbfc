#include "app/Form1.h"
#include "app/HomePage.h"
#include "app/ProgramFolder.h"
#include "filelist/QtFilePicker.h"
#include "import/ImportJob.h"
#include "import/office/SpreadsheetConnection.h"

#include <QApplication>

#include <cstdlib>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // Lets the desktop match the window to the program's menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.quillmere.Quillmere"));
    const QString programFolder = quillmere::ProgramFolder();
    quillmere::MaybeOpenHomePage(quillmere::HomePage(programFolder));

    quillmere::ImportJob job([] { return quillmere::SpreadsheetConnection::connectToUserOffice(); });
    quillmere::QtFilePicker picker;
    quillmere::Form1 window(job, picker, programFolder);
    window.show();
    const int status = QApplication::exec();
    // Closing the window ends the program at once, also in the middle of an import, which may be waiting on the
    // office; the document keeps the rows written so far.
    if (job.isRunning()) {
        std::quick_exit(status);
    }
    return status;
}

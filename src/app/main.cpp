#include "app/EndSignals.h"
#include "app/HomePage.h"
#include "app/MainWindow.h"
#include "app/ProgramEnd.h"
#include "app/ProgramFolder.h"
#include "filelist/QtFilePicker.h"
#include "import/ImportJob.h"
#include "import/office/SpreadsheetConnection.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // Lets the desktop match the window to the program's menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.quillmere.Quillmere"));
    const QString programFolder = quillmere::ProgramFolder();
    quillmere::MaybeOpenHomePage(quillmere::HomePage(programFolder));

    quillmere::ImportJob job([] { return quillmere::SpreadsheetConnection::connectToUserOffice(); });
    quillmere::QtFilePicker picker;
    quillmere::MainWindow window(job, picker, programFolder);
    const quillmere::EndSignals endSignals;
    // Every window, so that an open message box does not hold the program.
    QObject::connect(&endSignals, &quillmere::EndSignals::received, &app, &QApplication::closeAllWindows);
    window.show();
    quillmere::EndProgram(job, QApplication::exec());
}

#include "app/EndSignals.h"
#include "app/HomePage.h"
#include "app/MainWindow.h"
#include "app/ProgramEnd.h"
#include "app/ProgramFolder.h"
#include "filelist/QtFilePicker.h"
#include "import/job/ImportJob.h"
#include "import/office/SpreadsheetConnection.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // Lets the desktop match the window to the program's menu entry and icon: by this name, or on X11 by the window
    // class that the entry names.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.quillmere.Quillmere"));
    const QString programFolder = quillmere::app::programFolder();
    quillmere::app::maybeOpenHomePage(quillmere::app::homePage(programFolder));

    quillmere::ImportJob job([] { return quillmere::office::SpreadsheetConnection::connectToUserOffice(); });
    quillmere::filelist::QtFilePicker picker;
    quillmere::app::MainWindow window(job, picker, programFolder);
    const quillmere::app::EndSignals endSignals;
    // Every window, so that an open message box does not hold the program.
    QObject::connect(&endSignals, &quillmere::app::EndSignals::received, &app, &QApplication::closeAllWindows);
    window.show();
    quillmere::app::endProgram(job, QApplication::exec());
}

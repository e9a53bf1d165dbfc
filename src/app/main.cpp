#include "app/EndSignals.h"
#include "app/Form1.h"
#include "app/HomePage.h"
#include "app/ProgramFolder.h"
#include "filelist/QtFilePicker.h"
#include "import/ImportJob.h"
#include "import/WorkFile.h"
#include "import/office/SpreadsheetConnection.h"

#include <QApplication>

#include <chrono>
#include <cstdlib>

namespace {

// After the window closes, how long a stopped import gets to hand its document back. The program is gone by then
// whatever it waits on: a call into an office that does not answer cannot hold it.
constexpr std::chrono::milliseconds EndLimit = std::chrono::seconds(2);

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // Lets the desktop match the window to the program's menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.quillmere.Quillmere"));
    const QString programFolder = quillmere::ProgramFolder();
    quillmere::MaybeOpenHomePage(quillmere::HomePage(programFolder));

    quillmere::ImportJob job([] { return quillmere::SpreadsheetConnection::connectToUserOffice(); });
    quillmere::QtFilePicker picker;
    quillmere::Form1 window(job, picker, programFolder);
    const quillmere::EndSignals endSignals;
    // Every window, so that an open message box does not hold the program.
    QObject::connect(&endSignals, &quillmere::EndSignals::received, &app, &QApplication::closeAllWindows);
    window.show();
    const int status = QApplication::exec();
    job.waitUntilIdle(EndLimit);
    quillmere::RemoveWorkFiles();
    std::quick_exit(status);
}

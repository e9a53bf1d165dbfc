#include "app/HomePage.h"
#include "app/MainWindow.h"
#include "app/ProgramEnd.h"
#include "app/ProgramFolder.h"
#include "app/ProgramStart.h"
#include "base/EndSignals.h"
#include "cli/Arguments.h"
#include "cli/CommandImport.h"
#include "cli/WorkbookMakers.h"
#include "filelist/QtFilePicker.h"
#include "import/job/ImportJob.h"
#include "office/OwnOffice.h"
#include "office/SpreadsheetConnection.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <unistd.h>

namespace {

QByteArrayList argumentsOf(int argc, char** argv) {
    QByteArrayList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments << QByteArray(argv[i]);
    }
    return arguments;
}

QByteArray workingFolder() {
    const std::unique_ptr<char, decltype(&std::free)> folder(::getcwd(nullptr, 0), &std::free);
    return folder ? QByteArray(folder.get()) : QByteArray();
}

// Says what is wrong with the arguments; the exit status for it.
int mistaken(const quillmere::cli::Arguments& arguments) {
    std::fprintf(stderr, "quillmere: %s\nTry 'quillmere --help' for more information.\n",
                 qPrintable(arguments.mistake));
    return 2;
}

} // namespace

int main(int argc, char* argv[]) {
    quillmere::app::preferUtf8Locale();
    // Read before any application object: help, the version and the import to a file need no display.
    const auto arguments = quillmere::cli::readArguments(argumentsOf(argc, argv), workingFolder());
    if (!arguments.mistake.isEmpty()) {
        return mistaken(arguments);
    }
    if (arguments.help || arguments.version) {
        std::fputs(qPrintable(arguments.help ? quillmere::cli::usage() : quillmere::cli::versionLine() + u'\n'),
                   stdout);
        return 0;
    }
    quillmere::office::OwnOffice::removeLeftovers();
    if (arguments.forCommandLine) {
        QCoreApplication app(argc, argv);
        return quillmere::cli::importFromCommandLine(arguments, quillmere::cli::workbookMakerFor);
    }
    const auto app = quillmere::app::windowApplication(argc, argv);
    // Lets the desktop match the window to the program's menu entry and icon: by this name, or on X11 by the window
    // class that the entry names.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.quillmere.Quillmere"));
    const QString programFolder = quillmere::app::programFolder();
    quillmere::app::maybeOpenHomePage(quillmere::app::homePage(programFolder));

    quillmere::ImportJob job([] { return quillmere::office::SpreadsheetConnection::connectToUserOffice(); });
    quillmere::filelist::QtFilePicker picker;
    quillmere::app::MainWindow window(job, picker, programFolder);
    const quillmere::EndSignals endSignals;
    // Every window, so that an open message box does not hold the program.
    QObject::connect(&endSignals, &quillmere::EndSignals::received, app.get(), &QApplication::closeAllWindows);
    window.addPaths(arguments.request.paths);
    window.show();
    quillmere::app::endProgram(job, QApplication::exec());
}

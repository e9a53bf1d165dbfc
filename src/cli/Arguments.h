#pragma once

#include "import/run/ImportRequest.h"

#include <QByteArrayList>
#include <QString>

namespace quillmere::cli {

// What the program was started with: the files and folders to import or to put in the window's list, a request for
// help or the version, or a mistake.
struct Arguments {
    // The paths as given, folders among them; with --output, the import runs with no window and saves its document
    // in the request's output.
    ImportRequest request;
    bool help = false;
    bool version = false;
    // A line for standard error saying what is wrong with the arguments; empty when nothing is.
    QString mistake;
    // Whether an option of the import to a file was given: then the arguments are for the command line alone.
    bool forCommandLine = false;
};

// Reads the arguments after the program's name, as the file system's bytes, so that a path arrives exact whatever its
// encoding: Qt's own parser would give them as text. A path that is not absolute stands in workingFolder. "--" ends
// the options: what follows is a path even where it begins with '-'. Qt's own options for the window, such as
// -platform or -style, are passed over: the window's application takes them.
Arguments readArguments(const QByteArrayList& arguments, const QByteArray& workingFolder);

// The text --help prints.
QString usage();
// The line --version prints.
QString versionLine();

} // namespace quillmere::cli

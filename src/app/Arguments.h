#pragma once

#include "base/FilePath.h"

#include <QByteArrayList>
#include <QString>

namespace quillmere::app {

// What the program was started with: the files and folders to put in the list, a request for help, or a mistake.
struct Arguments {
    QList<FilePath> paths;
    bool help = false;
    // An option the program does not know, as a line for standard error; empty when there is none.
    QString mistake;
};

// Reads the arguments after the program's name, as the file system's bytes. A path that is not absolute stands in
// workingFolder. "--" ends the options: what follows is a path even where it begins with '-'.
Arguments readArguments(const QByteArrayList& arguments, const QByteArray& workingFolder);

// The text --help prints.
QString usage();

} // namespace quillmere::app

#include "app/Arguments.h"

#include <QCoreApplication>

namespace quillmere::app {

Arguments readArguments(const QByteArrayList& arguments, const QByteArray& workingFolder) {
    Arguments read;
    bool options = true;
    for (const QByteArray& argument : arguments) {
        if (options && argument == "--") {
            options = false;
        } else if (options && (argument == "--help" || argument == "-h")) {
            read.help = true;
        } else if (options && argument.startsWith('-') && argument != "-") {
            read.mistake = QCoreApplication::translate("Arguments", "unknown option '%1'")
                               .arg(FilePath::fromBytes(argument).shown);
        } else {
            read.paths << FilePath::fromBytes(argument.startsWith('/') ? argument : workingFolder + '/' + argument);
        }
    }
    return read;
}

QString usage() {
    return QCoreApplication::translate(
        "Arguments",
        "Usage: quillmere [FILE or FOLDER]...\n"
        "Opens the window with the files in the list, in the order given; a folder adds every file of it and of its\n"
        "subfolders, as \"Add All File(s) In Folder\" does.\n"
        "\n"
        "  -h, --help  show this help and end\n");
}

} // namespace quillmere::app

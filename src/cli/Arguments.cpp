#include "cli/Arguments.h"

#include <QCoreApplication>

#include <optional>

namespace quillmere::cli {
namespace {

// A rule's name in any letter case; "text:" before a text that is to be cut at even where it is a name.
bool columnsFrom(const QString& value, Arguments& read) {
    static const std::pair<const char*, ColumnRule> named[] = {{"none", ColumnRule::NoSplit},
                                                               {"space", ColumnRule::SplitAtSpace},
                                                               {"comma", ColumnRule::SplitAtComma},
                                                               {"tab", ColumnRule::SplitAtTab}};
    for (const auto& [name, rule] : named) {
        if (value.compare(QLatin1String(name), Qt::CaseInsensitive) == 0) {
            read.request.rule = rule;
            return true;
        }
    }
    constexpr QLatin1StringView literal("text:");
    read.request.rule = ColumnRule::SplitAtText;
    read.request.customDelimiter = value.startsWith(literal) ? value.sliced(literal.size()) : value;
    return !read.request.customDelimiter.isEmpty();
}

// Qt's own options for the window's application, with one dash or two, and whether a value follows.
std::optional<bool> qtOption(const QByteArray& argument) {
    static const QByteArrayList withValue{"platform",        "platformpluginpath", "platformtheme", "plugin",
                                          "qwindowgeometry", "qwindowicon",        "qwindowtitle",  "session",
                                          "display",         "geometry",           "style",         "stylesheet"};
    static const QByteArrayList alone{"reverse", "widgetcount", "nograb", "dograb", "sync"};
    const QByteArray name = argument.sliced(argument.startsWith("--") ? 2 : 1);
    if (alone.contains(name) || name.startsWith("qmljsdebugger=") || name.startsWith("style=") ||
        name.startsWith("stylesheet=")) {
        return false;
    }
    return withValue.contains(name) ? std::optional(true) : std::nullopt;
}

FilePath absolute(const QByteArray& path, const QByteArray& workingFolder) {
    return FilePath::fromBytes(path.startsWith('/') ? path : workingFolder + '/' + path);
}

} // namespace

Arguments readArguments(const QByteArrayList& arguments, const QByteArray& workingFolder) {
    Arguments read;
    bool options = true;
    const auto fail = [&](const QString& mistake) {
        if (read.mistake.isEmpty()) {
            read.mistake = mistake;
        }
    };
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QByteArray& argument = arguments[i];
        // The value of an option, given after '=' or as the next argument.
        const auto value = [&](const char* option) -> std::optional<QByteArray> {
            if (argument.startsWith(QByteArray(option) + '=')) {
                return argument.mid(qsizetype(qstrlen(option)) + 1);
            }
            if (i + 1 < arguments.size()) {
                return arguments[++i];
            }
            fail(QCoreApplication::translate("Arguments", "option '%1' needs a value").arg(QLatin1String(option)));
            return std::nullopt;
        };
        const auto is = [&](const char* option) {
            return argument == option || argument.startsWith(QByteArray(option) + '=');
        };
        if (!options || argument == "-" || !argument.startsWith('-')) {
            read.request.paths << absolute(argument, workingFolder);
        } else if (argument == "--") {
            options = false;
        } else if (argument == "--help" || argument == "-h") {
            read.help = true;
        } else if (argument == "--version") {
            read.version = true;
        } else if (is("--output") || argument == "-o") {
            read.forCommandLine = true;
            if (const auto output = value(argument == "-o" ? "-o" : "--output")) {
                read.request.output = absolute(*output, workingFolder).shown;
                if (workbookForm(read.request.output) == WorkbookForm::None) {
                    fail(QCoreApplication::translate("Arguments", "the output file's name must end in .ods or .xlsx"));
                }
            }
        } else if (argument == "--per-file") {
            read.request.layout = SheetLayout::SheetPerFile;
            read.forCommandLine = true;
        } else if (is("--columns")) {
            read.forCommandLine = true;
            if (const auto columns = value("--columns");
                columns && !columnsFrom(QString::fromLocal8Bit(*columns), read)) {
                fail(QCoreApplication::translate("Arguments",
                                                 "option '--columns' needs none, space, comma, tab or a text"));
            }
        } else if (const std::optional<bool> takesValue = qtOption(argument)) {
            i += *takesValue ? 1 : 0;
        } else {
            fail(QCoreApplication::translate("Arguments", "unknown option '%1'")
                     .arg(FilePath::fromBytes(argument).shown));
        }
    }
    if (read.forCommandLine && read.request.output.isEmpty()) {
        fail(QCoreApplication::translate("Arguments", "options '--per-file' and '--columns' go with '--output'"));
    }
    if (!read.request.output.isEmpty() && read.request.paths.isEmpty()) {
        fail(QCoreApplication::translate("Arguments", "no file to import was named"));
    }
    return read;
}

QString usage() {
    return QCoreApplication::translate(
        "Arguments",
        "Usage: quillmere [FILE or FOLDER]...\n"
        "  or:  quillmere --output OUT.ods|OUT.xlsx [--per-file] [--columns RULE] FILE or FOLDER...\n"
        "\n"
        "Without --output, opens the window with the files in the list, in the order given. With it, imports\n"
        "the files with no window and no display, saves the workbook and ends: an .xlsx with no office at\n"
        "all, an .ods through a hidden LibreOffice of its own. A folder adds every file of it and of its\n"
        "subfolders, as \"Add All File(s) In Folder\" does.\n"
        "\n"
        "  -o, --output FILE   save the workbook in FILE: OpenDocument for .ods, Office Open XML for .xlsx;\n"
        "                      a file there is replaced once the new one is complete\n"
        "      --per-file      give each file a sheet of its own, named after it (else all in one sheet)\n"
        "      --columns RULE  cut each line into cells at none (the default), space, comma, tab (in any\n"
        "                      letter case), or at every place the text RULE stands; text:RULE cuts at\n"
        "                      the text even where it is one of the names\n"
        "  -h, --help          show this help and end\n"
        "      --version       show the program's version and end\n"
        "\n"
        "Examples:\n"
        "  quillmere ~/logs/*.txt\n"
        "  quillmere --output bank.xlsx --columns comma exports/\n"
        "  quillmere -o logs.ods --per-file --columns tab day1.log day2.log\n"
        "\n"
        "Exit status: 0 when the workbook was saved, 1 when the import failed or was stopped, 2 for a\n"
        "mistake in the arguments.\n");
}

QString versionLine() {
    return QStringLiteral("quillmere " QUILLMERE_VERSION);
}

} // namespace quillmere::cli

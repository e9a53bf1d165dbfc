#include "cli/Arguments.h"

#include <QCoreApplication>

#include <optional>

namespace quillmere::cli {
namespace {

// The translation context of the texts here.
struct ArgumentTexts {
    Q_DECLARE_TR_FUNCTIONS(Arguments)
};

bool columnsFrom(const QString& value, Arguments& read) {
    static const std::pair<const char*, ColumnRule> named[] = {{"none", ColumnRule::NoSplit},
                                                               {"space", ColumnRule::SplitAtSpace},
                                                               {"comma", ColumnRule::SplitAtComma},
                                                               {"tab", ColumnRule::SplitAtTab}};
    for (const auto& [name, rule] : named) {
        if (value == QLatin1String(name)) {
            read.rule = rule;
            return true;
        }
    }
    read.rule = ColumnRule::SplitAtText;
    read.customDelimiter = value;
    return !value.isEmpty();
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
            fail(ArgumentTexts::tr("option '%1' needs a value").arg(QLatin1String(option)));
            return std::nullopt;
        };
        const auto is = [&](const char* option) {
            return argument == option || argument.startsWith(QByteArray(option) + '=');
        };
        if (!options || argument == "-" || !argument.startsWith('-')) {
            read.paths << absolute(argument, workingFolder);
        } else if (argument == "--") {
            options = false;
        } else if (argument == "--help" || argument == "-h") {
            read.help = true;
        } else if (is("--output") || argument == "-o") {
            read.forCommandLine = true;
            if (const auto output = value(argument == "-o" ? "-o" : "--output")) {
                read.output = absolute(*output, workingFolder).shown;
                if (!read.output.endsWith(QLatin1String(".ods"), Qt::CaseInsensitive) &&
                    !read.output.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive)) {
                    fail(ArgumentTexts::tr("the output file's name must end in .ods or .xlsx"));
                }
            }
        } else if (argument == "--per-file") {
            read.layout = SheetLayout::SheetPerFile;
            read.forCommandLine = true;
        } else if (is("--columns")) {
            read.forCommandLine = true;
            if (const auto columns = value("--columns");
                columns && !columnsFrom(QString::fromLocal8Bit(*columns), read)) {
                fail(ArgumentTexts::tr("option '--columns' needs none, space, comma, tab or a text"));
            }
        } else {
            fail(ArgumentTexts::tr("unknown option '%1'").arg(FilePath::fromBytes(argument).shown));
        }
    }
    if (read.forCommandLine && read.output.isEmpty()) {
        fail(ArgumentTexts::tr("options '--per-file' and '--columns' go with '--output'"));
    }
    if (!read.output.isEmpty() && read.paths.isEmpty()) {
        fail(ArgumentTexts::tr("no file to import was named"));
    }
    return read;
}

QString usage() {
    return ArgumentTexts::tr(
        "Usage: quillmere [FILE or FOLDER]...\n"
        "  or:  quillmere --output OUT.ods|OUT.xlsx [--per-file] [--columns RULE] FILE or FOLDER...\n"
        "\n"
        "Without --output, opens the window with the files in the list, in the order given. With it, imports\n"
        "the files with no window into a LibreOffice of its own, saves the workbook and ends. A folder adds\n"
        "every file of it and of its subfolders, as \"Add All File(s) In Folder\" does.\n"
        "\n"
        "  -o, --output FILE   save the workbook in FILE: OpenDocument for .ods, Office Open XML for .xlsx;\n"
        "                      a file there is replaced once the new one is complete\n"
        "      --per-file      give each file a sheet of its own, named after it (else all in one sheet)\n"
        "      --columns RULE  cut each line into cells at none (the default), space, comma, tab, or at\n"
        "                      every place the text RULE stands\n"
        "  -h, --help          show this help and end\n"
        "\n"
        "Examples:\n"
        "  quillmere ~/logs/*.txt\n"
        "  quillmere --output bank.xlsx --columns comma exports/\n"
        "  quillmere -o logs.ods --per-file --columns tab day1.log day2.log\n"
        "\n"
        "Exit status: 0 when the workbook was saved, 1 when the import failed, 2 for a mistake in the\n"
        "arguments.\n");
}

} // namespace quillmere::cli

// Measures writing cells into the office and whole import runs, each against the office's own text import of
// the same data, in one run against one private office.
#include "NativeLoad.h"
#include "import/run/ImportRun.h"
#include "import/run/RowWriter.h"
#include "import/run/SheetNames.h"
#include "import/text/ColumnSplitting.h"
#include "import/text/TextReader.h"
#include "import/workfile/FlatSpreadsheet.h"
#include "office/OwnOffice.h"
#include "testsupport/RecordingOffice.h"
#include "testsupport/TextFiles.h"
#include "testsupport/office/DocumentReadback.h"
#include "testsupport/office/PrivateOffice.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <optional>
#include <stdexcept>
#include <sys/resource.h>

using namespace Qt::StringLiterals;

using namespace quillmere;
using quillmere::testing::PrivateOffice;
using quillmere::testing::RecordingOffice;
using quillmere::testing::TextFiles;

namespace {

constexpr int fields = 10;

double secondsOf(const std::function<void()>& work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e9;
}

// The seconds of one of the office's own loads. Its document closes once the clock has stopped, as the run's does.
double loadSeconds(const std::function<NativeLoad()>& load) {
    std::optional<NativeLoad> loaded;
    return secondsOf([&] { loaded.emplace(load()); });
}

// Lines of short comma-separated fields, each line ending in a line feed.
QByteArray csvLines(int lines, int firstLine = 0) {
    QByteArray text;
    text.reserve(qsizetype(lines) * fields * 8);
    for (int line = firstLine; line < firstLine + lines; ++line) {
        for (int field = 0; field < fields; ++field) {
            text += (field == 0 ? "" : ",") + QByteArray::number(line % 1000) + 'f' + QByteArray::number(field);
        }
        text += '\n';
    }
    return text;
}

void print(const char* what, double seconds) {
    std::printf("%-52s %9.3f s\n", what, seconds);
}

// The office's load times vary by a third from one load to the next, with what earlier loads left in its memory, and
// its first load of a kind takes it longer: each side is timed rounds times, in the order run, office, office, run,
// run, office..., so that neither side is favoured, and its quickest time counts. Where the office's first load of
// so large a document would take long enough to hide what is measured, an untimed load of its own goes first.
struct Timings {
    std::vector<double> run, native;
    double quickestRun() const { return *std::min_element(run.begin(), run.end()); }
    double quickestNative() const { return *std::min_element(native.begin(), native.end()); }
};

enum class WarmUp { No, Yes };

Timings timeBoth(int rounds, const std::function<double()>& run, const std::function<double()>& native,
                 WarmUp warmUp = WarmUp::No) {
    if (warmUp == WarmUp::Yes) {
        native();
    }
    Timings times;
    for (int round = 0; round < rounds; ++round) {
        if (round % 2 == 0) {
            times.run.push_back(run());
            times.native.push_back(native());
        } else {
            times.native.push_back(native());
            times.run.push_back(run());
        }
    }
    return times;
}

// A time with every time it was the quickest of.
void print(const char* what, const std::vector<double>& times) {
    QStringList each;
    for (const double seconds : times) {
        each << QString::asprintf("%.3f s", seconds);
    }
    std::printf("%-52s %9.3f s (quickest of %s)\n", what, *std::min_element(times.begin(), times.end()),
                qPrintable(each.join(u", ")));
}

class Bench {
public:
    Bench()
        : connection_(office_.connect())
        , recorder_(*connection_)
        , native_(office_.pipeName()) {}

    void cellWrites();
    void importRuns();
    void commandLine();
    void otherTools();
    void largeFile();

private:
    std::pair<double, double> scenario(const char* title, const QStringList& paths, SheetLayout layout,
                                       NativeLoad::Window window);
    double importSeconds(const QStringList& paths, SheetLayout layout);
    // Many files load into hidden windows, so that the yardstick does not measure mostly window building.
    double nativeSeconds(const QStringList& paths, NativeLoad::Window window);
    QStringList writeFiles(const QString& prefix, int count, int lines);
    std::pair<double, double> importLargeFile(const QString& path);

    QString writeFlatDocument(const QStringList& paths);

    PrivateOffice office_;
    std::unique_ptr<office::SpreadsheetConnection> connection_;
    RecordingOffice recorder_;
    NativeOffice native_;
    TextFiles files_;
};

void Bench::cellWrites() {
    constexpr int rows = 100'000;
    const QByteArray csv = csvLines(rows);
    const QString path = files_.write(QStringLiteral("cells.csv"), csv);
    const RowTexts texts = splitRows(markColumns(QString::fromUtf8(csv), ColumnRule::SplitAtComma, QString()));

    const auto sampleDocument = connection_->openNewDocument();
    const auto sampleSheet = sampleDocument->sheetAt(0);
    constexpr int sampleRows = 200;
    const double sample = secondsOf([&] {
        for (int r = 0; r < sampleRows; ++r) {
            const auto cells = splitCells(texts[r]);
            for (qsizetype c = 0; c < cells.size(); ++c) {
                CellBlock one(1);
                one.addRow({cells[c]});
                sampleSheet->writePrepared(c, r, *sampleSheet->prepareBlock(one));
            }
        }
    });
    const double perCell = sample / (sampleRows * fields);

    const auto document = connection_->openNewDocument();
    const auto sheet = document->sheetAt(0);
    const double block = secondsOf([&] { RowWriter(*sheet, {}, [](qsizetype) {}).write(texts, 0); });
    const double native = loadSeconds([&] { return NativeLoad::text(native_, path, u',', fields); });

    std::printf("100,000 rows x 10 columns:\n");
    std::printf("%-52s %9.1f us (sample of %d cells)\n", "  one cell at a time, per cell", perCell * 1e6,
                sampleRows * fields);
    print("  block writes", block);
    std::printf("%-52s %9.3f us\n", "  block writes, per cell", block / (rows * fields) * 1e6);
    print("  office's own text import", native);
    std::printf("one-cell/block per-cell speed-up: %.0f\n", perCell / (block / (rows * fields)));
    std::printf("block/native ratio: %.2f\n", block / native);
    sampleDocument->close();
    document->close();
}

QStringList Bench::writeFiles(const QString& prefix, int count, int lines) {
    QStringList paths;
    for (int i = 0; i < count; ++i) {
        paths << files_.write(QStringLiteral("%1/%2.txt").arg(prefix).arg(i), csvLines(lines, i));
    }
    return paths;
}

double Bench::importSeconds(const QStringList& paths, SheetLayout layout) {
    const ImportRequest request{filePaths(paths), layout, ColumnRule::SplitAtComma, QString(), QString()};
    const double seconds = secondsOf([&] { ImportRun(recorder_, request, [](int) {}).run(); });
    inspect::closeDocument(*recorder_.lastDocument());
    return seconds;
}

double Bench::nativeSeconds(const QStringList& paths, NativeLoad::Window window) {
    double seconds = 0;
    for (const QString& path : paths) {
        seconds += loadSeconds([&] { return NativeLoad::text(native_, path, u',', fields, window); });
    }
    return seconds;
}

// The flat document a sheet-per-file run of these files loads, written by the benchmark with the run's own reading,
// for the office to load as the run loads it: the run's own work around that load is the difference.
QString Bench::writeFlatDocument(const QStringList& paths) {
    const QString path = files_.path(QStringLiteral("sheets.fods"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        throw std::runtime_error("cannot write " + path.toStdString());
    }
    FlatSpreadsheet flat(file);
    for (auto it = paths.rbegin(); it != paths.rend(); ++it) {
        flat.add(flatTable(keepNameChars(QFileInfo(*it).fileName()),
                           splitRows(markColumns(readTextFile(*it), ColumnRule::SplitAtComma, QString()))));
    }
    flat.finish();
    return path;
}

// Runs one scenario both ways, prints the times, and gives the quickest back as (import run, native).
std::pair<double, double> Bench::scenario(const char* title, const QStringList& paths, SheetLayout layout,
                                          NativeLoad::Window window) {
    const Timings times = timeBoth(
        2, [&] { return importSeconds(paths, layout); }, [&] { return nativeSeconds(paths, window); });
    std::printf("\n%s:\n", title);
    print("  import run", times.run);
    print(window == NativeLoad::Window::Visible ? "  office's own text import"
                                                : "  office's own text import, file by file, hidden",
          times.native);
    return {times.quickestRun(), times.quickestNative()};
}

void Bench::importRuns() {
    const auto [a, aNative] =
        scenario("(a) one file of 100,000 lines x 10 fields, single sheet", writeFiles(QStringLiteral("a"), 1, 100'000),
                 SheetLayout::SingleSheet, NativeLoad::Window::Visible);
    std::printf("import/native ratio: %.2f\n", a / aNative);

    const auto [b, bNative] =
        scenario("(b) 1,000 files of 20 lines, sheet per file", writeFiles(QStringLiteral("b"), 1000, 20),
                 SheetLayout::SheetPerFile, NativeLoad::Window::Hidden);
    std::printf("sheet-per-file ms/file: %.2f\n", b / 1000 * 1e3);
    std::printf("sheet-per-file/native ratio: %.2f\n", b / bNative);

    const auto [c, cNative] =
        scenario("(c) 200 files of 500 lines, single sheet", writeFiles(QStringLiteral("c"), 200, 500),
                 SheetLayout::SingleSheet, NativeLoad::Window::Hidden);
    std::printf("single-sheet import/native ratio: %.2f\n", c / cNative);

    const QStringList dFiles = writeFiles(QStringLiteral("d"), 10'000, 5);
    const QString dFlat = writeFlatDocument(dFiles);
    const Timings d = timeBoth(
        3, [&] { return importSeconds(dFiles, SheetLayout::SheetPerFile); },
        [&] { return loadSeconds([&] { return NativeLoad::flatSpreadsheet(native_, dFlat); }); }, WarmUp::Yes);
    std::printf("\n(d) 10,000 files of 5 lines, sheet per file:\n");
    print("  import run", d.run);
    print("  office's own load of the same flat document", d.native);
    std::printf("10000 files sheet-per-file s: %.2f\n", d.quickestRun());
    std::printf("10000 files / office flat load ratio: %.2f\n", d.quickestRun() / d.quickestNative());

    const auto [e, eNative] =
        scenario("(e) one file of 100,000 lines x 10 fields, sheet per file",
                 writeFiles(QStringLiteral("e"), 1, 100'000), SheetLayout::SheetPerFile, NativeLoad::Window::Visible);
    std::printf("per-file large/native ratio: %.2f\n", e / eNative);
}

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

// Written line by line, so that the benchmark itself never holds the file.
void writeLargeFile(const QString& path, int lines) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        throw std::runtime_error("cannot write " + path.toStdString());
    }
    for (int line = 0; line < lines; ++line) {
        QByteArray text;
        for (int field = 0; field < fields; ++field) {
            text += QByteArray(field == 0 ? "" : ",") + "line" + QByteArray::number(line).rightJustified(7, '0') +
                    "-field" + QByteArray::number(field) + "-text";
        }
        text += '\n';
        if (file.write(text) != text.size()) {
            throw std::runtime_error("cannot write " + path.toStdString());
        }
    }
}

// The import run of the large file in a process of its own, so that its peak memory is the run's alone: prints
// the run's seconds and the process's peak resident megabytes.
int importInOwnProcess(const QString& pipeName, const QString& path) {
    const auto connection = office::SpreadsheetConnection::connectToPipe(pipeName);
    RecordingOffice recorder(*connection);
    const ImportRequest request{filePaths({path}), SheetLayout::SingleSheet, ColumnRule::SplitAtComma, QString(),
                                QString()};
    const double seconds = secondsOf([&] { ImportRun(recorder, request, [](int) {}).run(); });
    const double peak = peakMegabytes();
    inspect::closeDocument(*recorder.lastDocument());
    std::printf("%f %f\n", seconds, peak);
    return 0;
}

// The run in a process of its own: its seconds and the process's peak resident megabytes.
std::pair<double, double> Bench::importLargeFile(const QString& path) {
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--import-in-own-process"), office_.pipeName(), path});
    if (!child.waitForFinished(-1) || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0) {
        throw std::runtime_error(
            QStringLiteral("the import run of the large file failed (%1, exit code %2): %3")
                .arg(child.exitStatus() == QProcess::CrashExit ? u"crashed"_s : child.errorString())
                .arg(child.exitCode())
                .arg(QString::fromLocal8Bit(child.readAllStandardError()))
                .toStdString());
    }
    const QList<QByteArray> figures = child.readAllStandardOutput().trimmed().split(' ');
    return {figures.value(0).toDouble(), figures.value(1).toDouble()};
}

// The seconds a program takes, start to end.
double processSeconds(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    return secondsOf([&] {
        process.start(program, arguments);
        if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
            throw std::runtime_error((program + u" failed: "_s).toStdString() +
                                     process.readAllStandardError().toStdString());
        }
    });
}

// The command against the window's run of the same files, each with a hidden office of its own started and ended and
// each saving the workbook, so that the office's start and the save weigh alike on both sides.
void Bench::commandLine() {
    const QStringList paths = writeFiles(QStringLiteral("g"), 1000, 20);
    const QString output = files_.path(QStringLiteral("g.ods"));
    const Timings times = timeBoth(
        2,
        [&] {
            return processSeconds(QStringLiteral(QUILLMERE_PROGRAM),
                                  QStringList{QStringLiteral("--output"), output, QStringLiteral("--per-file"),
                                              QStringLiteral("--columns"), QStringLiteral("comma")} +
                                      paths);
        },
        [&] {
            return secondsOf([&] {
                office::OwnOffice office(office::OwnOffice::Windows::Hidden);
                const auto connection = office.connect();
                const ImportRequest request{filePaths(paths), SheetLayout::SheetPerFile, ColumnRule::SplitAtComma,
                                            QString(), files_.path(QStringLiteral("g-window.ods"))};
                ImportRun(*connection, request, [](int) {}).run();
            });
        });
    std::printf("\n(g) 1,000 files of 20 lines, sheet per file, each side with an office of its own:\n");
    print("  the command, saving the workbook", times.run);
    print("  the window's run in this program, saving alike", times.native);
    std::printf("command line 1000 files / window run ratio: %.2f\n", times.quickestRun() / times.quickestNative());
}

// The command beside the tool a user would pick instead, Gnumeric's ssconvert, each a whole process making a workbook
// of the same 1,000 files a sheet each; and one large file as .xlsx beside the office's own conversion of it, each
// with a profile of its own and the office's start included.
void Bench::otherTools() {
    const QStringList paths = writeFiles(QStringLiteral("h"), 1000, 20);
    for (const QString& form : {u".xlsx"_s, u".ods"_s}) {
        const QStringList command =
            QStringList{u"--output"_s, files_.path(u"h"_s + form), u"--per-file"_s, u"--columns"_s, u"comma"_s} + paths;
        const QStringList ssconvert = QStringList{u"--merge-to="_s + files_.path(u"h-ssconvert"_s + form)} + paths;
        const Timings times = timeBoth(
            2, [&] { return processSeconds(QStringLiteral(QUILLMERE_PROGRAM), command); },
            [&] { return processSeconds(u"ssconvert"_s, ssconvert); });
        std::printf("\n(h) 1,000 files of 20 lines to %s, sheet per file:\n", qPrintable(form));
        print("  the command", times.run);
        print("  ssconvert --merge-to", times.native);
        std::printf("command line %s 1000 files / ssconvert ratio: %.2f\n", qPrintable(form),
                    times.quickestRun() / times.quickestNative());
    }
    const QString large = files_.write(QStringLiteral("i/large.csv"), csvLines(100'000));
    const TextFiles profile;
    const Timings times = timeBoth(
        2,
        [&] {
            return processSeconds(QStringLiteral(QUILLMERE_PROGRAM),
                                  {u"-o"_s, files_.path(u"i/large.xlsx"_s), u"--columns"_s, u"comma"_s, large});
        },
        [&] {
            return processSeconds(u"soffice"_s,
                                  {u"-env:UserInstallation="_s + QUrl::fromLocalFile(profile.dir().path()).toString(),
                                   u"--headless"_s, u"--convert-to"_s, u"xlsx"_s, u"--outdir"_s,
                                   files_.path(u"i/office"_s), large});
        });
    std::printf("\n(i) one file of 100,000 lines x 10 fields to .xlsx:\n");
    print("  the command", times.run);
    print("  soffice --convert-to xlsx", times.native);
    std::printf("command line .xlsx 100000 lines s: %.2f\n", times.quickestRun());
    std::printf("command line .xlsx 100000 lines / soffice convert ratio: %.2f\n",
                times.quickestRun() / times.quickestNative());
}

void Bench::largeFile() {
    const QString path = files_.path(QStringLiteral("large.csv"));
    writeLargeFile(path, 1'000'000);
    const double megabytes = double(QFile(path).size()) / (1024.0 * 1024.0);
    double peak = 0;
    const Timings times = timeBoth(
        2,
        [&] {
            const auto [seconds, megabytesPeak] = importLargeFile(path);
            peak = std::max(peak, megabytesPeak);
            return seconds;
        },
        [&] { return nativeSeconds({path}, NativeLoad::Window::Visible); }, WarmUp::Yes);
    std::printf("\n(f) one file of 1,000,000 lines x 10 fields (%.0f MB), single sheet:\n", megabytes);
    print("  import run", times.run);
    print("  office's own text import", times.native);
    std::printf("%-52s %9.0f MB\n", "  peak memory of the import run's process", peak);
    std::printf("peak memory / input (200 MB file): %.2f\n", peak / megabytes);
    std::printf("import/native ratio (200 MB file): %.2f\n", times.quickestRun() / times.quickestNative());
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    try {
        std::setvbuf(stdout, nullptr, _IOLBF, 0);
        const QStringList arguments = QCoreApplication::arguments();
        if (arguments.size() == 4 && arguments[1] == u"--import-in-own-process") {
            return importInOwnProcess(arguments[2], arguments[3]);
        }
        Bench bench;
        bench.cellWrites();
        bench.importRuns();
        bench.commandLine();
        bench.otherTools();
        std::printf("\npeak memory of the program: %.0f MB (largest input: %.1f MB)\n", peakMegabytes(),
                    double(csvLines(100'000).size()) / 1e6);
        bench.largeFile();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "benchmark failed: %s\n", e.what());
        return 1;
    }
    return 0;
}

#include "import/job/ImportJob.h"
#include "import/run/ImportRun.h"
#include "import/run/OrderedParallelMap.h"
#include "import/run/RowWriter.h"
#include "import/run/SheetNames.h"
#include "import/text/RowsExtent.h"
#include "import/text/TextReader.h"
#include "import/workfile/WorkFile.h"
#include "testsupport/DifferentialCheck.h"
#include "testsupport/FakeSpreadsheet.h"
#include "testsupport/GTestQt.h"
#include "testsupport/RunEvents.h"
#include "testsupport/SpreadsheetContract.h"
#include "testsupport/TextFiles.h"

#include <QDir>

#include <gtest/gtest.h>
#include <optional>
#include <sys/stat.h>

using namespace quillmere;
using namespace quillmere::testing;

TEST(SpreadsheetContract, TheStandInOfficeKeepsIt) {
    FakeSpreadsheet office;
    checkSpreadsheetContract(office, u".ods"_s,
                             [](const std::function<void()>& step) { return !failure(step).isEmpty(); });
}

// Broken and borderline files, as the differential check's drawn cases hold well-formed ones: an odd last byte is
// dropped; a lone surrogate becomes U+FFFD; without the other half, half a mark is a letter; an overlong form is no
// UTF-8.
TEST(readTextFile, DecodesByTheMarkElseAsUtf8ElseAsWindows1252AndRefusesWhatItCannotReadNamingPathAndReason) {
    const std::pair<QByteArray, QStringView> texts[] = {{"\xFF\xFE\x41\0\x42\0\x43"_ba, u"AB"},
                                                        {"\xFF\xFE\0\xDC\x41\0\x3D\xD8"_ba, u"\uFFFDA\uFFFD"},
                                                        {"\xFE\xFF\xD8\x3D\xD8\x3D\xDE\0"_ba, u"\uFFFD\U0001F600"},
                                                        {"\xEF\xBB\xBF\x47r\xC3\xBC\xC3\x9F\x65\xC3", u"Grüße\uFFFD"},
                                                        {"\xFEorn \xFF\x65s", u"þorn ÿes"},
                                                        {"\xFF\x65s", u"ÿes"},
                                                        {"\x80 \xB8 caf\xE9 \x81", u"€ \u00B8 café \u0081"},
                                                        {"\xC0\xAF\x61", u"À¯a"}};
    TextFiles files;
    for (const auto& [bytes, text] : texts) {
        EXPECT_EQ(readTextFile(files.write(u"t.txt"_s, bytes)), text) << bytes.toHex().toStdString();
    }
    // Pipes and devices would block the open or the read without end: each is refused at once, by its
    // kind. Before a run, all listed files are checked, and those that cannot be read are named in one message.
    const QString fifo = files.path(u"pipe"_s);
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(u"/dev/zero"_s, files.path(u"zeros"_s)));
    ASSERT_TRUE(QFile::link(files.write(u"target"_s, "linked"), files.path(u"link"_s)));
    QFile::setPermissions(files.write(u"locked"_s, "x"), QFileDevice::WriteOwner);
    const std::pair<QString, const char*> refusals[] = {
        {fifo, "is a named pipe (FIFO), not a regular file"},
        {u"/dev/null"_s, "is a device, not a regular file"},
        {files.path(u"zeros"_s), "is a device, not a regular file"},
        {files.dir().path(), "Is a directory"},
        {files.path(u"absent"_s), "No such file or directory"},
        {files.path(u"gone"_s), "No such file or directory"},
        {files.path(u"link"_s), ""},
        {files.path(u"locked"_s), geteuid() ? "Permission denied" : ""}};
    QStringList paths;
    for (const auto& [path, reason] : refusals) {
        EXPECT_EQ(failure([&] { readTextFile(path); }), *reason ? path + u": "_s + reason : QString());
        EXPECT_EQ(failure([&] { TextFileStream(path).next(); }), failure([&] { checkReadable(path); }));
        paths << path;
    }
    const QString message = failure([&] { checkListedFiles(filePaths(paths)); });
    EXPECT_TRUE(message.startsWith(QStringLiteral("%1 files cannot be read").arg(geteuid() ? 7 : 6)) &&
                message.contains(files.dir().path() + u": Is a directory"_s) && !message.contains(u"gone") &&
                message.contains(geteuid() ? u"2 more" : u"1 more"))
        << message.toStdString();
}

// A large input passes in pieces: decoded, marked and measured piece by piece, it must give what the whole file
// gives, wherever the pieces end, even inside characters, between surrogate halves and inside broken sequences.
TEST(StreamedText, PiecesGiveWhatTheWholeFileGives) {
    const auto extent = [](const RowsExtent& e) { return std::tuple(e.rows, e.columns, e.widestRow, e.longestCell); };
    EXPECT_EQ(extent(measureRows(splitRows(u"a\n\u00B81\u00B822\u00B8333\n\nabcd\n\n"_s))), std::tuple(4, 4, 1, 4));
    EXPECT_EQ(extent(measureRows(splitRows(u"\n\n"_s))), std::tuple(0, 0, -1, 0));
    // Whole characters, broken ones, and UTF-16 units little-endian and big-endian, apart at the spaces.
    const QByteArrayList parts =
        "a b , \n \xC2\xB8 \xC3\xA9 \xF0\x9F\x98\x80 \xE2\x82 \xC3 \x80 \xF0\x9F \xC0\xAF a\0 b\0 ,\0 "
        "\n\0 \x3D\xD8\0\xDE \0\xDC \x3D\xD8 \0a \0b \0, \0\n \xD8\x3D\xDE\0 \xDC\0 \xD8\x3D"_ba.split(' ');
    const QByteArray marks[] = {"", "", "\xEF\xBB\xBF", "\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"};
    const QByteArrayList kinds[] = {parts.first(7),  parts.first(12),  parts.first(7),
                                    parts.first(12), parts.mid(12, 7), parts.mid(19, 7)};
    const QString delimiters[] = {u"aa"_s, u"ab"_s, u"😀"_s, u"a😀a"_s, u","_s, QString()};
    std::mt19937 random(7);
    TextFiles files;
    for (int round = 0; round < 600; ++round) {
        QByteArray file = marks[round % 6];
        while (file.size() < 100) {
            file += kinds[round % 6][random() % kinds[round % 6].size()];
        }
        file += QByteArrayList{"", "\xE2\x82", "\xFF"}[random() % 3]; // a cut character, an odd last byte
        const QString path = files.write(u"t.txt"_s, file), delimiter = delimiters[random() % 6];
        TextFileStream stream{FilePath(path), qsizetype(4 + random() % 4)};
        ColumnMarker marker(ColumnRule::SplitAtText, delimiter);
        RowsMeasure measure;
        QString text, marked;
        for (QString piece = stream.next(); !piece.isEmpty(); piece = stream.next()) {
            text += piece;
            piece = marker.mark(piece);
            ASSERT_FALSE(!piece.isEmpty() && piece.back().isHighSurrogate()) << file.toHex().toStdString();
            measure.add(piece);
            marked += piece;
        }
        ASSERT_EQ(text, readTextFile(path)) << file.toHex().toStdString();
        ASSERT_EQ(marked + marker.finish(), markColumns(text, ColumnRule::SplitAtText, delimiter)) << round;
        ASSERT_EQ(extent(measure.extent()), extent(measureRows(splitRows(marked)))) << marked.toStdString();
    }
}

// The differential check's cases, drawn and built by hand, through the stand-in office, which writes every cell:
// every column rule, encoding and line end, held against the cells drawn.
TEST(Differential, EveryCaseGivesTheCellsItWasDrawnFrom) {
    std::optional<FakeSpreadsheet> office;
    const QStringList differences = checkCases(
        "differential through the stand-in office", [&]() -> SpreadsheetOffice& { return office.emplace(); },
        FakeSpreadsheet::contentsOf);
    EXPECT_TRUE(differences.isEmpty()) << differences.join(u'\n').toStdString();
}

// Every number up to 8001 taken in another letter case: the draws are vain, and the name counts upward. Where names
// are kept short, a long one loses its end, and a suffixed one its end before the number.
TEST(SheetNames, AFreeNameIsNeverTakenInAnyLetterCaseNorLongerThanKept) {
    TakenNames taken({u"report"_s, u"monthlyreport202401accountsrece"_s});
    for (int suffix = 1; suffix <= 8001; ++suffix) {
        taken.add(u"REPORT"_s + QString::number(suffix));
    }
    std::mt19937 generator(1);
    EXPECT_EQ(freeSheetName(u"Report"_s, taken, generator), u"Report8002");
    const QString cut = freeSheetName(u"monthlyreport202401accountsreceivabletxt"_s, taken, generator, 31);
    EXPECT_TRUE(cut.size() == 31 && cut.startsWith(u"monthlyreport202401accou") && cut.back().isDigit() &&
                !taken.contains(cut))
        << cut.toStdString();
}

// A block holds as many rows as its bounds on rows and on cells let it; a stop comes before the next.
TEST(RowWriter, WritesBoundedBlocksAndStopsBeforeTheNext) {
    const QString wide = QStringList(13, u"1"_s).join(CellSeparator);
    for (const QString& row : {u"x"_s, wide}) {
        FakeSpreadsheet office;
        std::stop_source stop;
        const auto sheet = office.openNewDocument()->sheetAt(0);
        RowWriter writer(*sheet, stop.get_token(), [&](qsizetype) { stop.request_stop(); });
        EXPECT_FALSE(writer.write(splitRows((row + u'\n').repeated(30'000)), 0));
        EXPECT_EQ(office.lastDocument().sheets[0].rows.size(),
                  std::size_t(row == wide ? RowWriter::maxBlockCells / 13 : RowWriter::maxBlockRows));
    }
}

// In order whichever thread made an item; a failure comes in its turn, after the items before it, whichever thread
// met it.
TEST(OrderedParallelMap, GivesEveryItemInOrderAndEachFailureInItsTurn) {
    for (const std::vector<int>& blockEnds : {std::vector<int>{}, {1}, {2, 3}, {1, 4, 5, 9}}) {
        const int count = blockEnds.empty() ? 0 : blockEnds.back();
        for (int failing = 0; failing <= count; ++failing) { // at the count, none fails
            OrderedParallelMap<int> items(blockEnds, [&](int item) {
                return item >= failing ? throw Error(QString::number(item)) : item * item;
            });
            for (int item = 0; item < failing; ++item) {
                ASSERT_EQ(items.next(), item * item);
            }
            if (failing < count) {
                EXPECT_EQ(failure([&] { items.next(); }), QString::number(failing));
            }
        } // and left before the end, the work ahead goes with the object
    }
}

// That a run leaves none behind, the import run's tests show.
TEST(WorkFile, IsPrivate) {
    EXPECT_EQ(QFile::permissions(WorkFile().path()),
              QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
}

namespace {

class ImportRunTest : public ::testing::Test {
protected:
    // Working files go to a folder of this test's own, where none may be left.
    void SetUp() override { qputenv("TMPDIR", QFile::encodeName(temporary.path())); }
    void TearDown() override {
        EXPECT_EQ(QDir(temporary.path()).entryList(QDir::Files), QStringList());
        qunsetenv("TMPDIR");
    }
    // The run's error message; "stopped" when it stopped early.
    QString import(const QStringList& paths, SheetLayout layout, std::stop_token stop = {}) {
        const ImportRequest request{filePaths(paths), layout, ColumnRule::SplitAtComma, {}, {}};
        bool complete = true;
        const QString message = failure([&] { complete = ImportRun(office, request, report, stop).run(); });
        return complete ? message : u"stopped"_s;
    }

    QTemporaryDir temporary;
    FakeSpreadsheet office;
    TextFiles files;
    std::vector<int> progress;
    const ImportRun::Progress report = [this](int percent) { progress.push_back(percent); };
};

} // namespace

// Nothing is imported when a file does not fit: both layouts measure every file before they open a document.
TEST_F(ImportRunTest, AFileBeyondTheSheetOrAnOfficeRefusalEndsTheRunNamingTheFile) {
    office.capacity = {3, 2};
    const QString fits = files.write(u"fits.txt"_s, "a,b\nc"), wide = files.write(u"wide.txt"_s, "a,b,c");
    for (const auto layout : {SheetLayout::SingleSheet, SheetLayout::SheetPerFile}) {
        const int documents = office.documentsOpened();
        const QString message = import({fits, wide}, layout);
        EXPECT_TRUE(message.contains(wide) && message.contains(u"3 columns, but") &&
                    message.endsWith(u"so nothing was imported."))
            << message.toStdString();
        EXPECT_EQ(office.documentsOpened(), documents);
    }
    EXPECT_TRUE(import({files.write(u"tall"_s, "1\n2\n3\n4\n")}, SheetLayout::SingleSheet)
                    .contains(u"needs 4 rows and 1 column,"));
    EXPECT_EQ(import({files.write(u"exact"_s, "1\n2\n3\n")}, SheetLayout::SingleSheet), QString());
    // The sheets go in in their order, the last file's first.
    office.beforeCall = [](const QString& call) {
        call == u"insertSheet firsttxt" ? throw Error(u"the office said no"_s) : void();
    };
    const QString first = files.write(u"first.txt"_s, "1");
    EXPECT_EQ(import({first, files.write(u"second.txt"_s, "2")}, SheetLayout::SheetPerFile),
              QStringLiteral("Importing %1 failed.\nthe office said no").arg(first));
    EXPECT_EQ(office.lastDocument().sheets[0].rows, std::vector<std::vector<QString>>{{u"2"_s}});
}

// Files named alike and like the new document's sheet each get a sheet of their own. More than a piece of text,
// rows narrow and wide, pass the working file. A stop while the files are read opens no document.
TEST_F(ImportRunTest, ProgressOnlyAdvancesAndReachesTheEndWithTheLastCells) {
    QStringList paths{files.write(u"sheet1"_s, "a,b\n")};
    for (int i = 0; i < 6; ++i) {
        paths << files.write(QStringLiteral("%1/f.txt").arg(i),
                             QByteArray("1\r\n1,2,3,4,5,6,7,8,9,10,11,\xC3\xA9\r\n").repeated(5000));
    }
    office.beforeCall = [&](const QString& call) { EXPECT_FALSE(call == u"writeBlock" && progress.back() == 100); };
    std::stop_source stopped;
    stopped.request_stop();
    for (const auto layout : {SheetLayout::SingleSheet, SheetLayout::SheetPerFile}) {
        const int documents = office.documentsOpened();
        EXPECT_EQ(import(paths, layout, stopped.get_token()), u"stopped");
        EXPECT_EQ(office.documentsOpened(), documents);
        progress = {0};
        ASSERT_EQ(import(paths, layout), QString());
        EXPECT_EQ(std::erase(progress, WaitingOnOffice), 1u) << "the office's load, which tells no progress";
        EXPECT_EQ(std::adjacent_find(progress.begin(), progress.end(), std::greater_equal<>()), progress.end());
        EXPECT_TRUE(progress.size() > 5 && progress.back() == 100);
    }
}

// Each file is read once, also where the office takes the sheets one by one after its loads gave nothing: files
// removed once the office is asked for a document still arrive whole.
TEST_F(ImportRunTest, EachFileIsReadOnce) {
    const QByteArray large = QByteArray("1,2,3,4,5,6,7,8,9,10\n").repeated(25'000);
    for (const QStringList& names : {QStringList{u"only"_s}, QStringList{u"small"_s, u"large"_s}}) {
        QStringList paths;
        for (const QString& name : names) {
            paths << files.write(name, name == u"small" ? QByteArray("a,b\n") : large);
        }
        office.beforeCall = [&](const QString& call) {
            for (const QString& path : call.startsWith(u"open") ? paths : QStringList()) {
                QFile::remove(path);
            }
        };
        ASSERT_EQ(import(paths, SheetLayout::SheetPerFile), QString()) << names.join(u' ').toStdString();
        const auto& last = office.lastDocument().sheets[0]; // the last file's sheet comes first
        EXPECT_EQ(last.rows.size(), 25'000u);
        EXPECT_EQ(last.rows.back().size(), 10u);
    }
}

// Whatever call the office leaves unanswered, the run ends after the answer limit, saying so, and the job is free at
// once; the next run connects afresh. The stand-in office hangs until it is abandoned, so no run ends any other way.
// Each end is awaited as it is told, before the next run starts.
TEST(ImportJob, AnOfficeThatStopsAnsweringIsGivenUpAndTheNextRunConnectsAfresh) {
    TextFiles files;
    const QList<FilePath> paths = filePaths({files.write(u"a.txt"_s, "1,2\n"), files.write(u"b.txt"_s, "3\n")});
    const std::pair<QString, SheetLayout> hangs[] = {
        {u"newDocumentSheetNames"_s, SheetLayout::SingleSheet}, {u"openTextDocument"_s, SheetLayout::SingleSheet},
        {u"openNewDocument"_s, SheetLayout::SingleSheet},       {u"writeBlock"_s, SheetLayout::SingleSheet},
        {u"openSpreadsheetFile"_s, SheetLayout::SheetPerFile},  {u"insertSheet btxt"_s, SheetLayout::SheetPerFile}};
    for (const auto& [call, layout] : hangs) {
        int offices = 0;
        QStringList ends;
        ImportJob job([&, call = call]() {
            auto office = std::make_unique<FakeSpreadsheet>();
            if (offices++ == 0) {
                office->beforeCall = [&office = *office, call](const QString& made) {
                    made == call ? office.hangUntilAbandoned() : void();
                };
            }
            return office;
        });
        QObject::connect(&job, &ImportJob::finished, &job, [&](const QString& failure) { ends << failure; });
        // A short limit for the hanging run only: the sound run may meet a stall of a busy machine.
        for (const std::chrono::milliseconds limit : {std::chrono::milliseconds(20), OfficeAnswerLimit}) {
            job.setAnswerLimit(limit);
            ASSERT_TRUE(job.start({paths, layout, ColumnRule::SplitAtComma, {}, {}})) << call.toStdString();
            const qsizetype told = ends.size() + 1;
            ASSERT_TRUE(runEventsUntil([&] { return ends.size() == told; }, std::chrono::minutes(1)))
                << call.toStdString();
        }
        EXPECT_TRUE(ends[0].startsWith(u"LibreOffice stopped answering, so the import was ended."))
            << call.toStdString();
        EXPECT_EQ(ends[1], QString()) << call.toStdString();
    }
}

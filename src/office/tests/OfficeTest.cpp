#include "DesktopWindows.h"
#include "import/job/ImportJob.h"
#include "office/OfficeError.h"
#include "testsupport/GTestQt.h"
#include "testsupport/RecordingOffice.h"
#include "testsupport/RunEvents.h"
#include "testsupport/SpreadsheetContract.h"
#include "testsupport/TextFiles.h"
#include "testsupport/office/DocumentReadback.h"
#include "testsupport/office/PrivateOffice.h"

#include <QDeadlineTimer>
#include <QDir>

#include <gtest/gtest.h>

using namespace quillmere;
using namespace quillmere::testing;
using namespace quillmere::office;

namespace {

// What the office refuses comes back naming the step, with the office's words where it has any, never a place in its
// source code.
bool refused(const std::function<void()>& step) {
    const auto error = thrown<OfficeError>(step);
    return error && !error->action().isEmpty() && !error->officeMessage().contains(u".cxx:");
}

// Imports the files as the window does, in a job over the office that office() makes, doing what it is told once the
// run has ended; the message of the run's end.
QString importInJob(
    const ImportJob::OfficeFactory& office, const QStringList& paths, SheetLayout layout,
    std::chrono::milliseconds answerLimit = OfficeAnswerLimit, const std::function<void()>& whenEnded = [] {}) {
    std::optional<QString> failure;
    {
        ImportJob job(office);
        job.setAnswerLimit(answerLimit);
        QObject::connect(&job, &ImportJob::finished, &job, [&](const QString& message) { failure = message; });
        EXPECT_TRUE(job.start({filePaths(paths), layout, ColumnRule::SplitAtComma, {}, {}}));
        EXPECT_TRUE(runEventsUntil([&] { return failure.has_value(); }, std::chrono::minutes(2)));
        whenEnded();
    } // the run's thread has ended
    return failure.value_or(u"no end"_s);
}

} // namespace

namespace {

// The threads of this process's office bridges, by the names the UNO runtime gives them.
int bridgeThreads() {
    int count = 0;
    for (const QString& thread : QDir(u"/proc/self/task"_s).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile name(u"/proc/self/task/%1/comm"_s.arg(thread));
        count += int(name.open(QIODevice::ReadOnly) && name.readAll().startsWith("binaryurp"));
    }
    return count;
}

} // namespace

// A connection's bridge and its threads go with it: left to the process's end, they could take a late message from
// the office while the UNO runtime is torn down.
TEST(InTheOffice, TheOfficeKeepsTheSpreadsheetContractAndItsConnectionLeavesNoThread) {
    PrivateOffice office;
    const int before = bridgeThreads();
    {
        const auto connection = office.connect();
        EXPECT_GT(bridgeThreads(), before);
        checkSpreadsheetContract(*connection, u".ods"_s, refused);
    }
    EXPECT_EQ(bridgeThreads(), before);
}

// Each layout fills its sheets through one of the office's own loads (the stand-in office has none, so the loads are
// proven taken here), which leave traces of their own: nothing may tell the document from one made new and written
// cell by cell, save that it reads as modified, so that closing it asks first. The import runs as the window runs it,
// off the calling thread, and its document comes to the front with the focus, also where another window has taken it
// meanwhile.
TEST(InTheOffice, ImportedDocumentsLookMadeNewAndTakeTheFocus) {
    PrivateOffice office;
    const auto connection = office.connect();
    RecordingOffice recorder(*connection);
    TextFiles files;
    const QStringList paths{files.write(u"a"_s, QByteArray("1,x\n2\n").repeated(25'000)), files.write(u"b"_s, "3")};
    const auto made = connection->openNewDocument();
    const auto shared = [&] { return std::make_unique<RecordingOffice>(static_cast<SpreadsheetOffice&>(recorder)); };
    // Another window takes the focus while the import runs, as the program's own window has it when the user goes on
    // working there; where only the user's input moves the focus, the document takes it as it appears.
    if (desktop::focusMovesWithoutInput()) {
        recorder.beforeHandOver = [&] { desktop::activateWindow(inspect::windowTitleOf(*made)); };
    }
    for (const auto layout : {SheetLayout::SingleSheet, SheetLayout::SheetPerFile}) {
        ASSERT_EQ(importInJob(shared, paths, layout), QString());
        const SpreadsheetDocument& document = *recorder.lastDocument();
        for (int sheet = 0; sheet < document.sheetCount(); ++sheet) {
            EXPECT_EQ(inspect::numberFormatsOf(document, sheet), inspect::numberFormatsOf(*made, 0));
        }
        EXPECT_EQ(inspect::tracesOf(document),
                  u"modified yes, undo no, location no, filter calc8, row heights follow edits yes"_s);
        // The window manager moves the focus once it has read the request: a bounded wait for it, not a race.
        const QString title = inspect::windowTitleOf(document);
        const QDeadlineTimer deadline(30'000);
        while (desktop::focusedWindowTitle() != title && !deadline.hasExpired()) {
        }
        EXPECT_EQ(desktop::focusedWindowTitle(), title);
        inspect::closeDocument(document);
    }
    EXPECT_EQ(recorder.fileLoads(), 2);
    made->close();
    EXPECT_TRUE(refused([&] { made->sheetCount(); }));
}

namespace {

// Imports the file into one sheet through a connection of its own, doing what it is told before the office is asked
// for the load and again before the run hands its document over; the message of the run's end.
QString importLoading(PrivateOffice& office, const QString& path, const std::function<void()>& step,
                      std::chrono::milliseconds answerLimit = OfficeAnswerLimit) {
    // The office goes on once the run has ended, before the job waits for the run's thread: a stopped office must not
    // hold the test where its bridge outlives the run.
    return importInJob(
        [&] {
            auto recorder = std::make_unique<RecordingOffice>(office.connect());
            recorder->beforeLoad = recorder->beforeHandOver = step;
            return recorder;
        },
        {path}, SheetLayout::SingleSheet, answerLimit, [&] { office.resume(); });
}

} // namespace

// Asked to end as a run loads its file, and again before the run hands its document over, the office refuses and the
// run's document arrives (7.4 refuses at once; 25.2 first closes every other window that lets it). An office that
// stops answering under a load is given up with a message; once it goes on, it keeps the user's document, shows every
// document it holds, and takes the next import.
TEST(InTheOffice, AHungOfficeIsGivenUpAndTheOfficeStaysSoundAndUpForTheNextRun) {
    PrivateOffice office;
    TextFiles files;
    const QString path = files.write(u"rows.txt"_s, QByteArray("run,x\n").repeated(100'000));
    EXPECT_EQ(importLoading(office, path, [&] { EXPECT_FALSE(inspect::askToEnd(office.pipeName())); }), QString());
    {
        const auto user = office.connect();
        const auto sheet = user->openNewDocument()->sheetAt(0);
        CellBlock block(1);
        block.addRow({u"user's work"});
        sheet->writePrepared(0, 0, *sheet->prepareBlock(block));
    } // the user's document stays, without a connection of ours that would keep the office up
    EXPECT_TRUE(importLoading(
                    office, path, [&] { office.pause(); }, std::chrono::seconds(2))
                    .startsWith(u"LibreOffice stopped answering, so the import was ended."));
    EXPECT_EQ(importLoading(office, path, [] {}), QString());
    QStringList documents = inspect::documentsOf(office.pipeName());
    documents.sort();
    EXPECT_EQ(documents.filter(u" unseen"_s), QStringList());
    EXPECT_TRUE(documents.contains(u"user's work seen"_s)) << documents.join(u", ").toStdString();
    EXPECT_GE(documents.count(u"run seen"_s), 2) << documents.join(u", ").toStdString();
}

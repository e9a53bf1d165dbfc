#include "import/ImportJob.h"
#include "import/office/OfficeError.h"
#include "testsupport/DocumentReadback.h"
#include "testsupport/GTestQt.h"
#include "testsupport/PrivateOffice.h"
#include "testsupport/RecordingOffice.h"
#include "testsupport/TextFiles.h"

#include <gtest/gtest.h>

using namespace quillmere;
using namespace quillmere::testing;

// Each layout fills its sheets through one of the office's own loads, which leave traces of their own: nothing may
// tell the document from one made new and written cell by cell. The import runs as the window runs it, on a thread of
// its own. What the office refuses comes back with its words.
TEST(InTheOffice, ImportedDocumentsLookMadeNewAndRefusalsCarryTheOfficeMessage) {
    PrivateOffice office;
    const auto connection = office.connect();
    RecordingOffice recorder(*connection);
    TextFiles files;
    const QStringList paths{files.write(u"a"_qs, QByteArray("1,x\n2\n").repeated(25'000)), files.write(u"b"_qs, "3")};
    const auto made = connection->openNewDocument();
    for (const auto layout : {SheetLayout::SingleSheet, SheetLayout::SheetPerFile}) {
        QString failure = u"no end"_qs;
        {
            ImportJob job([&] { return std::make_unique<RecordingOffice>(static_cast<SpreadsheetOffice&>(recorder)); });
            QObject::connect(&job, &ImportJob::finished, [&](const QString& message) { failure = message; });
            ASSERT_TRUE(job.start({FilePaths(paths), layout, ColumnRule::SplitAtComma, {}}));
            ASSERT_TRUE(job.waitUntilIdle(std::chrono::minutes(2)));
        } // the job's end has been told once its thread is joined
        ASSERT_EQ(failure, QString());
        const SpreadsheetDocument& document = *recorder.lastDocument();
        for (int sheet = 0; sheet < document.sheetCount(); ++sheet) {
            EXPECT_EQ(inspect::looksOf(document, sheet), inspect::looksOf(*made, 0));
        }
        EXPECT_EQ(inspect::tracesOf(document), u"undo no, location no, filter calc8"_qs);
        inspect::closeDocument(document);
    }
    const std::function<void()> refused[] = {[&] { made->removeSheet(u"Sheet2"_qs); },
                                             [&] { made->insertSheet(u"sheet1"_qs, 0); }, [&] { made->sheetAt(5); },
                                             [&] { made->close(), made->sheetCount(); }};
    for (const auto& step : refused) {
        const auto error = thrown<OfficeError>(step);
        EXPECT_TRUE(error && !error->action().isEmpty() && !error->officeMessage().isEmpty())
            << (error ? error->message().toStdString() : "the office took it");
    }
}

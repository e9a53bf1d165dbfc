#include "app/ProgramEnd.h"

#include "import/job/ImportJob.h"
#include "testsupport/FakeSpreadsheet.h"
#include "testsupport/GTestQt.h"
#include "testsupport/TextFiles.h"

#include <QDir>
#include <QTemporaryDir>

#include <future>
#include <gtest/gtest.h>

using namespace quillmere;
using namespace quillmere::app;
using namespace quillmere::testing;

// Whatever the import waits on when the window closes, the program ends with its status and leaves no working file.
// The stand-in office never answers the call the run waits in, so only the end can free the program.
TEST(ProgramEnd, TheProgramEndsWhateverTheImportWaitsOn) {
    QTemporaryDir temporary;
    qputenv("TMPDIR", QFile::encodeName(temporary.path()));
    TextFiles files;
    const QList<FilePath> paths = filePaths({files.write(u"a.txt"_s, "1,2\n")});
    for (const QString& hangsIn : {u"start"_s, u"newDocumentSheetNames"_s, u"openTextDocument"_s, u"openNewDocument"_s,
                                   u"writeBlock"_s, u"handOver"_s}) {
        EXPECT_EXIT(
            {
                std::promise<void> waiting;
                ImportJob job([&]() -> std::unique_ptr<SpreadsheetOffice> {
                    auto office = std::make_unique<FakeSpreadsheet>();
                    office->beforeCall = [&, hangsIn](const QString& call) {
                        if (call == hangsIn) {
                            waiting.set_value();
                            std::promise<void>().get_future().wait();
                        }
                    };
                    office->beforeCall(u"start"_s);
                    return office;
                });
                job.start({paths, SheetLayout::SingleSheet, ColumnRule::SplitAtComma, {}, {}});
                waiting.get_future().wait();
                endProgram(job, 3, std::chrono::milliseconds(100));
            },
            ::testing::ExitedWithCode(3), "")
            << hangsIn.toStdString();
        EXPECT_EQ(QDir(temporary.path()).entryList(QDir::Files), QStringList()) << hangsIn.toStdString();
    }
    qunsetenv("TMPDIR");
}

#include "cli/CommandImport.h"

#include "testsupport/FakeSpreadsheet.h"
#include "testsupport/GTestQt.h"
#include "testsupport/TextFiles.h"

#include <gtest/gtest.h>

using namespace quillmere;
using quillmere::testing::contentsOf;
using quillmere::testing::FakeSpreadsheet;
using quillmere::testing::TextFiles;

namespace {

class StandInMaker final : public cli::WorkbookMaker {
public:
    std::unique_ptr<SpreadsheetOffice> connect() override { return std::make_unique<FakeSpreadsheet>(); }
};

} // namespace

// What the command finds before it makes any office, and what a refused run leaves: the output as it was and nothing
// beside it. A folder among the paths gives its files, the last file's sheet first as in the window's run.
TEST(CommandImport, RefusesBeforeMakingAnOfficeAndReplacesTheOutputOnlyWithAWholeWorkbook) {
    TextFiles files;
    const QByteArray one = QFile::encodeName(files.write(u"one.txt"_s, "a,b\n"));
    files.write(u"sub/two.txt"_s, "x");
    QDir(files.dir().path()).mkpath(u"empty"_s);
    const QString out = files.write(u"out.ods"_s, "old");
    int made = 0;
    const auto run = [&](const QList<QByteArray>& arguments) {
        ::testing::internal::CaptureStderr();
        const int status = cli::importFromCommandLine(cli::readArguments(arguments, QFile::encodeName(files.path({}))),
                                                      [&](const ImportRequest&) {
                                                          ++made;
                                                          return std::make_unique<StandInMaker>();
                                                      });
        return std::pair(status, QString::fromStdString(::testing::internal::GetCapturedStderr()));
    };
    EXPECT_EQ(run({"-o", "one.txt/out.ods", one}),
              std::pair(1, u"quillmere: cannot write into the folder %1, so nothing was imported\n"_s.arg(
                               files.path(u"one.txt"_s))));
    EXPECT_EQ(run({"-o", "out.ods", "empty"}),
              std::pair(1, u"quillmere: the folders named hold no file, so nothing was imported\n"_s));
    EXPECT_EQ(made, 0);
    const auto [status, errors] = run({"-o", "out.ods", one, "missing.txt"});
    EXPECT_EQ(status, 1);
    EXPECT_TRUE(errors.contains(u"quillmere: "_s + files.path(u"missing.txt"_s))) << errors.toStdString();
    EXPECT_EQ(contentsOf(out), "old");
    EXPECT_EQ(run({"-o", "out.ods", "--per-file", "--columns=comma", one, "sub"}), std::pair(0, QString()));
    EXPECT_EQ(contentsOf(out), "x\na|b\n");
    EXPECT_EQ(QDir(files.dir().path()).entryList(QDir::Hidden | QDir::Files),
              (QStringList{u"one.txt"_s, u"out.ods"_s}));
}

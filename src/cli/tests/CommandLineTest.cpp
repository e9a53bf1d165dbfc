#include "testsupport/GTestQt.h"
#include "testsupport/TextFiles.h"
#include "testsupport/office/DocumentReadback.h"
#include "testsupport/office/PrivateOffice.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

using namespace quillmere;
using namespace quillmere::testing;
using inspect::DocumentContents;

namespace {

struct Ended {
    int status = -1;
    QString errors;
};

QByteArray contentsOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

Ended quillmereWith(const QStringList& arguments) {
    QProcess program;
    program.start(QStringLiteral(QUILLMERE_PROGRAM), arguments);
    EXPECT_TRUE(program.waitForFinished(120'000));
    return {program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1,
            QString::fromUtf8(program.readAllStandardError())};
}

} // namespace

// The command imports as the window does, into a hidden office of its own, and saves the workbook in the form its
// name ends in, every cell text; a folder among the paths gives its files. A refusal leaves the output as it was and
// no partial file beside it.
TEST(CommandLine, SavesTheWorkbookAsTextAndARefusalLeavesTheOutputAsItWas) {
    TextFiles files;
    const QString one = files.write(u"one.txt"_qs, "a,b\n1,2\n");
    files.write(u"sub/two.txt"_qs, "x y,\xe9t\xe9");
    const QString ods = files.path(u"out.ods"_qs), xlsx = files.path(u"out.xlsx"_qs);
    EXPECT_EQ(quillmereWith({u"--output"_qs, ods, u"--per-file"_qs, u"--columns=comma"_qs, one, files.path(u"sub"_qs)})
                  .status,
              0);
    EXPECT_EQ(quillmereWith({u"-o"_qs, xlsx, files.path(u"sub"_qs), one}).status, 0);
    PrivateOffice office;
    const auto connection = office.connect(); // once it accepts
    EXPECT_EQ(inspect::readSavedFile(office.pipeName(), ods),
              (DocumentContents{{u"twotxt"_qs, {{u"x y"_qs, u"été"_qs}}, {}},
                                {u"onetxt"_qs, {{u"a"_qs, u"b"_qs}, {u"1"_qs, u"2"_qs}}, {}}}));
    EXPECT_EQ(inspect::readSavedFile(office.pipeName(), xlsx),
              (DocumentContents{{u"Sheet1"_qs, {{u"x y,étéa,b"_qs}, {u"1,2"_qs}}, {}}})); // joined as they stand

    const QByteArray before = contentsOf(ods);
    const Ended refused = quillmereWith({u"--output"_qs, ods, one, files.path(u"missing.txt"_qs)});
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(refused.errors.contains(u"quillmere: "_qs + files.path(u"missing.txt"_qs)))
        << refused.errors.toStdString();
    EXPECT_EQ(contentsOf(ods), before);
    EXPECT_EQ(QDir(files.dir().path()).entryList(QDir::Hidden | QDir::Files).filter(u"partial"_qs), QStringList());
}

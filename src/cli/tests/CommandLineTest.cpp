#include "office/guard/OfficeProcesses.h"
#include "testsupport/GTestQt.h"
#include "testsupport/TextFiles.h"
#include "testsupport/office/DocumentReadback.h"
#include "testsupport/office/PrivateOffice.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>

#include <csignal>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/syscall.h>
#include <unistd.h>

using namespace quillmere;
using namespace quillmere::testing;
using inspect::DocumentContents;

namespace {

struct Ended {
    int status = -1;
    QString errors;
    QString output;
};

// The program as a script starts it: its temporary files in a folder of the test's own, and with no display unless
// the test has one.
class Command {
public:
    QProcess& start(const QStringList& arguments, bool display = true) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"TMPDIR"_s, temporary.dir().path());
        if (!display) {
            environment.remove(u"DISPLAY"_s);
            environment.remove(u"WAYLAND_DISPLAY"_s);
        }
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(QUILLMERE_PROGRAM), arguments);
        return program;
    }
    Ended run(const QStringList& arguments, bool display = true) {
        start(arguments, display);
        EXPECT_TRUE(program.waitForFinished(120'000));
        return {program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1,
                QString::fromUtf8(program.readAllStandardError()), QString::fromUtf8(program.readAllStandardOutput())};
    }
    // What the runs left in their temporary folder.
    QStringList left() const { return QDir(temporary.dir().path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot); }

    TextFiles temporary;
    QProcess program;
};

QStringList officePipes() {
    return QDir(u"/tmp"_s).entryList({u"OSL_PIPE_*"_s}, QDir::System);
}

// Waits for the processes to end, told by the system, not by looking again and again.
bool endWithin(const std::vector<qint64>& processes, std::chrono::milliseconds limit) {
    const QDeadlineTimer deadline(limit);
    return std::all_of(processes.begin(), processes.end(), [&](qint64 pid) {
        return office::ProcessWatch(pid).endsWithin(std::chrono::milliseconds(deadline.remainingTime()));
    });
}

} // namespace

// The command imports as the window does and saves the workbook in the form its name ends in, every cell text: an
// .xlsx with no office, an .ods through a hidden office of its own, which says what that form leaves out and leaves
// nothing behind.
TEST(CommandLine, SavesTheWorkbookAsTextSaysWhatItLeavesOutAndLeavesNothingBehind) {
    TextFiles files;
    const QString one = files.write(u"one.txt"_s, "a,b\n1,\x1B[31mred\x1B[0m\n");
    files.write(u"sub/two.txt"_s, "x y,\xe9t\xe9");
    const QString ods = files.path(u"out.ods"_s), xlsx = files.path(u"out.xlsx"_s);
    Command command;
    const QStringList pipesBefore = officePipes();
    const Ended saved =
        command.run({u"--output"_s, ods, u"--per-file"_s, u"--columns=COMMA"_s, one, files.path(u"sub"_s)});
    EXPECT_EQ(saved.status, 0);
    EXPECT_EQ(saved.errors,
              u"quillmere: %1: 2 characters left out that an .ods workbook cannot hold, the first in line "
              u"2 (control characters such as ESC; an .xlsx workbook keeps them).\n"_s.arg(one));
    EXPECT_EQ(command.run({u"-o"_s, xlsx, files.path(u"sub"_s), one}).errors, QString());
    EXPECT_EQ(command.left(), QStringList());
    for (const QString& pipe : officePipes()) {
        EXPECT_TRUE(pipesBefore.contains(pipe)) << pipe.toStdString() << " was left behind";
    }

    PrivateOffice office;
    const auto connection = office.connect(); // once it accepts
    EXPECT_EQ(inspect::readSavedFile(office.pipeName(), ods),
              (DocumentContents{{u"twotxt"_s, {{u"x y"_s, u"été"_s}}, {}},
                                {u"onetxt"_s, {{u"a"_s, u"b"_s}, {u"1"_s, u"[31mred[0m"_s}}, {}}}));
    EXPECT_EQ(inspect::readSavedFile(office.pipeName(), xlsx),
              (DocumentContents{{u"Sheet1"_s, {{u"x y,étéa,b"_s}, {u"1,\u001B[31mred\u001B[0m"_s}}, {}}}));
}

// Killed, as a job runner's time-out kills it, the command takes its office along at once, and the next run removes
// what it left; the old workbook stays as it was.
TEST(CommandLine, KilledItsOfficeEndsAndTheNextRunRemovesWhatItLeft) {
    TextFiles files;
    const QString large = files.write(u"large.txt"_s, QByteArray("1,2,3,4,5,6,7,8,9,10\n").repeated(500'000));
    const QString ods = files.write(u"out.ods"_s, "old");
    Command command;
    QProcess& killed = command.start({u"-o"_s, ods, u"--columns=comma"_s, large});
    // Killed once the office accepts (its pipes listed) and the import has begun its working file, which the office
    // takes seconds to load.
    const auto begun = [&] {
        const QStringList left = command.left();
        const QStringList office = left.filter(u"office"_s);
        return !left.filter(u".txt"_s).isEmpty() && !office.isEmpty() &&
               QFile::exists(command.temporary.path(office.first() + u"/sockets"_s));
    };
    const QDeadlineTimer started(120'000);
    while (!begun()) {
        ASSERT_FALSE(killed.waitForFinished(100) || started.hasExpired());
    }
    const std::vector<qint64> office = office::processesNaming(QFile::encodeName(command.temporary.dir().path()));
    ASSERT_FALSE(office.empty());
    ASSERT_EQ(::kill(pid_t(killed.processId()), SIGKILL), 0);
    killed.waitForFinished();
    EXPECT_TRUE(endWithin(office, std::chrono::seconds(30))) << "the office outlived the command";
    EXPECT_FALSE(command.left().filter(u".txt"_s).isEmpty()); // the working file, which only the command removes
    EXPECT_EQ(command.run({u"-o"_s, files.path(u"next.xlsx"_s), files.write(u"small.txt"_s, "x")}).status, 0);
    EXPECT_EQ(command.left(), QStringList());
    EXPECT_EQ(contentsOf(ods), "old");
}

// Checked before any import, with or without a display: a piece too long for an .xlsx cell, a mistake in the options,
// the version, and the window with nowhere to show it.
TEST(CommandLine, RefusesWhatItCannotDoInOneLineWithNoDisplay) {
    TextFiles files;
    const QString piece(40'000, u'p');
    const QString wide = files.write(u"wide.txt"_s, "short\n" + piece.toUtf8() + ",end\n");
    Command command;
    const Ended tooLong = command.run({u"-o"_s, files.path(u"out.xlsx"_s), u"--columns"_s, u"Comma"_s, wide}, false);
    EXPECT_EQ(
        std::pair(tooLong.status, tooLong.errors),
        std::pair(
            1, u"quillmere: Importing %1 failed. Line 2 holds a piece of 40000 characters, but an .xlsx "
               u"cell holds at most 32767, so nothing was imported. An .ods workbook keeps it whole.\n"_s.arg(wide)));
    EXPECT_FALSE(QFile::exists(files.path(u"out.xlsx"_s)));
    EXPECT_EQ(command.run({u"--version"_s}, false).output, u"quillmere %1\n"_s.arg(QStringLiteral(QUILLMERE_VERSION)));
    const Ended mistaken = command.run({u"-O"_s, files.path(u"out.ods"_s), wide}, false);
    EXPECT_EQ(std::pair(mistaken.status, mistaken.errors.count(u'\n')), std::pair(2, qsizetype(2)));
    const Ended window = command.run({wide}, false);
    EXPECT_EQ(std::pair(window.status, window.errors),
              std::pair(1, u"quillmere: there is no display to show the window on; quillmere --output "
                           u"OUT.ods|OUT.xlsx imports without one\n"_s));
}

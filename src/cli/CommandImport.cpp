#include "cli/CommandImport.h"

#include "base/EndSignals.h"
#include "base/Error.h"
#include "base/Leftovers.h"
#include "filelist/FolderWalk.h"
#include "import/job/ImportJob.h"
#include "import/run/OutputFile.h"
#include "import/run/ProblemList.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>
#include <unistd.h>

namespace quillmere::cli {
namespace {

// A message as a plain line on standard error, behind the program's name; a list's heading and each of its items
// (one for each file or folder) get a line of their own.
void complain(const QString& message) {
    QStringList lines = message.split(u'\n', Qt::SkipEmptyParts);
    if (!lines.isEmpty() && !lines.first().endsWith(u':')) {
        lines = QStringList{lines.join(u' ')};
    }
    for (const QString& line : lines) {
        std::fprintf(stderr, "quillmere: %s\n", qPrintable(line));
    }
}

// The listed files, each folder replaced by its files as the window's walk gives them.
QList<FilePath> filesOf(const QList<FilePath>& paths) {
    const filelist::FolderFiles found = filelist::expandFolders(paths, {});
    if (!found.unreadable.isEmpty()) {
        complain(
            problemList(filelist::unreadableFoldersHeading(found.unreadable.size()), shownPaths(found.unreadable)));
    }
    return found.files;
}

// A line that updates in place, on a terminal only.
class TerminalProgress {
public:
    TerminalProgress()
        : shown_(::isatty(STDERR_FILENO) == 1) {}
    void show(int percent) {
        if (shown_) {
            const QString text = percent == WaitingOnOffice
                                     ? QCoreApplication::translate("CommandImport", "LibreOffice is loading the files…")
                                     : QCoreApplication::translate("CommandImport", "Importing… %1%").arg(percent);
            std::fprintf(stderr, "\r\033[K%s", qPrintable(text));
            started_ = true;
        }
    }
    // Leaves the line, so that what follows starts on a line of its own.
    void end() {
        if (started_) {
            std::fputs("\r\033[K", stderr);
            started_ = false;
        }
    }

private:
    const bool shown_;
    bool started_ = false;
};

} // namespace

int importFromCommandLine(const Arguments& arguments, const WorkbookMakerFor& makerFor) {
    ImportRequest request = arguments.request;
    request.paths = filesOf(request.paths);
    if (request.paths.isEmpty()) {
        complain(
            QCoreApplication::translate("CommandImport", "the folders named hold no file, so nothing was imported"));
        return 1;
    }
    // Found before the import rather than after it.
    const QString outputFolder = QFileInfo(request.output).absolutePath();
    if (const QFileInfo folder(outputFolder); !folder.isDir() || !folder.isWritable()) {
        complain(
            QCoreApplication::translate("CommandImport", "cannot write into the folder %1, so nothing was imported")
                .arg(folder.filePath()));
        return 1;
    }
    // What a run killed while saving here left.
    removeLeftovers(outputFolder);
    QString failure;
    QStringList notes;
    {
        std::unique_ptr<WorkbookMaker> maker;
        std::unique_ptr<SpreadsheetOffice> connection;
        try {
            maker = makerFor(request);
            connection = maker->connect();
        } catch (const Error& e) {
            complain(e.message());
            return 1;
        }
        ImportJob job([&] { return std::move(connection); });
        TerminalProgress progress;
        bool ended = false;
        QObject::connect(&job, &ImportJob::progressChanged, &job, [&](int percent) { progress.show(percent); });
        QObject::connect(&job, &ImportJob::finished, &job, [&](const QString& message, const QStringList& told) {
            failure = message;
            notes = told;
            ended = true;
            QCoreApplication::quit();
        });
        const EndSignals endSignals;
        bool stopped = false;
        // At once, also in the middle of a load of the office's: the job gives its office up as it goes.
        QObject::connect(&endSignals, &EndSignals::received, &job, [&] {
            stopped = true;
            job.requestStop();
            QCoreApplication::quit();
        });
        job.start(request);
        if (!ended) {
            QCoreApplication::exec();
        }
        progress.end();
        if (stopped) {
            failure = QCoreApplication::translate("CommandImport", "the import was stopped, so no workbook was saved");
        }
    } // the maker's office has ended: a save it was still making cannot come after the partial file is gone
    OutputFile(request.output).removePartial();
    if (!failure.isEmpty()) {
        complain(failure);
        return 1;
    }
    for (const QString& note : notes) {
        complain(note);
    }
    return 0;
}

} // namespace quillmere::cli

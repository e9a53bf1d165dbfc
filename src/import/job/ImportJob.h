#pragma once

#include "import/Spreadsheet.h"
#include "import/run/ImportRequest.h"
#include "import/run/RunProgress.h"

#include <QObject>
#include <QStringList>
#include <QTimer>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <stop_token>

namespace quillmere {

// Runs one import at a time off the user-interface thread; progress and the end come back as signals. An office
// that leaves a call unanswered for longer than the answer limit is given up: the run ends at once with a message,
// and the next one connects afresh. The job is used from one thread, whose event loop watches the office's answers;
// each run works on a thread of the background pool, and the signals come from there or from the job's thread.
class ImportJob : public QObject {
    Q_OBJECT

public:
    // Makes the office connection; called on the worker thread, since starting the office takes seconds.
    using OfficeFactory = std::function<std::unique_ptr<SpreadsheetOffice>()>;

    explicit ImportJob(OfficeFactory factory, QObject* parent = nullptr);
    // Asks every import still running to stop at its next step, gives up the offices it waits on, and waits for it.
    ~ImportJob() override;

    bool isRunning() const;
    // The answer limit of the runs started from now on; OfficeAnswerLimit until set.
    void setAnswerLimit(std::chrono::milliseconds limit);
    // Starts the import; does nothing and returns false while one is running.
    bool start(ImportRequest request);
    // Asks a running import to stop at its next step; it ends as a stopped run, leaving the document usable.
    void requestStop();
    // Waits at most the time given for a running import to end; true once none runs.
    bool waitUntilIdle(std::chrono::milliseconds limit);

signals:
    // As RunProgress tells it.
    void progressChanged(int percent);
    // failure is empty when the import succeeded (or was stopped); notes are what the run tells beside, a line each.
    void finished(const QString& failure, const QStringList& notes);

private:
    struct Run;
    void work(const std::stop_token& stop, Run& run, const ImportRequest& request);
    // The run's end, told once: by the run itself or by its watch, whichever comes first (markEnded()).
    bool markEnded(Run& run);
    void end(Run& run, const QString& failure, const QStringList& notes = {});
    // Gives the running import up where the office owes an answer past its deadline; otherwise looks again then.
    void watchDeadlines();

    OfficeFactory factory_;
    std::chrono::milliseconds answerLimit_ = OfficeAnswerLimit;
    mutable std::mutex lock_;
    std::condition_variable idle_;
    Run* current_ = nullptr;
    // The running import and those given up whose threads have not ended yet.
    std::list<std::unique_ptr<Run>> runs_;
    // Set for when the running import's office owes its earliest answer.
    QTimer deadline_;
};

} // namespace quillmere

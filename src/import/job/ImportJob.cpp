#include "import/job/ImportJob.h"

#include "base/Background.h"
#include "import/job/OfficeWatch.h"
#include "import/job/WatchedOffice.h"
#include "import/run/ImportRun.h"

#include <atomic>
#include <optional>

namespace quillmere {

namespace {

QString stoppedAnswering() {
    return ImportJob::tr(
        "LibreOffice stopped answering, so the import was ended.\nCheck whether a LibreOffice window waits for an "
        "answer (it may be hidden behind other windows) and whether LibreOffice is busy with another document, then "
        "start the import again.");
}

} // namespace

struct ImportJob::Run {
    // A call that comes due sooner than the job's thread looks next makes it look then.
    explicit Run(ImportJob& job)
        : watch(job.answerLimit_,
                [&job] { QMetaObject::invokeMethod(&job, &ImportJob::watchDeadlines, Qt::QueuedConnection); }) {}

    // The start has a limit of its own: the watch steps in only where the office hangs after it answered.
    std::unique_ptr<SpreadsheetOffice> connect(const OfficeFactory& factory) {
        const auto call = watch.call(OfficeAnswerLimit);
        return factory();
    }

    void abandonOffice() {
        const std::scoped_lock hold(officeLock);
        gaveUp = true;
        if (office) {
            office->abandon();
        }
    }

    // While the object lives, the watch can abandon the office the run uses.
    class InUse {
    public:
        InUse(Run& run, SpreadsheetOffice& office)
            : run_(run) {
            const std::scoped_lock hold(run_.officeLock);
            if (run_.gaveUp) {
                office.abandon();
            }
            run_.office = &office;
        }
        ~InUse() {
            const std::scoped_lock hold(run_.officeLock);
            run_.office = nullptr;
        }
        InUse(const InUse&) = delete;
        InUse& operator=(const InUse&) = delete;

    private:
        Run& run_;
    };

    std::mutex officeLock;
    SpreadsheetOffice* office = nullptr;
    bool gaveUp = false;
    std::atomic<bool> ended = false;
    // Goes once the worker has ended and nothing calls into the office any more.
    OfficeWatch watch;
    // Declared last: waited for first.
    std::optional<BackgroundTask> worker;
};

ImportJob::ImportJob(OfficeFactory factory, QObject* parent)
    : QObject(parent)
    , factory_(std::move(factory)) {
    deadline_.setSingleShot(true);
    connect(&deadline_, &QTimer::timeout, this, &ImportJob::watchDeadlines);
}

ImportJob::~ImportJob() {
    for (const auto& run : runs_) {
        run->worker->requestStop();
        run->abandonOffice();
    }
}

bool ImportJob::isRunning() const {
    const std::scoped_lock hold(lock_);
    return current_ != nullptr;
}

void ImportJob::setAnswerLimit(std::chrono::milliseconds limit) {
    const std::scoped_lock hold(lock_);
    answerLimit_ = limit;
}

bool ImportJob::start(ImportRequest request) {
    // Runs whose threads have ended go once the lock is let go.
    std::list<std::unique_ptr<Run>> done;
    const std::scoped_lock hold(lock_);
    if (current_) {
        return false;
    }
    for (auto run = runs_.begin(); run != runs_.end();) {
        const auto next = std::next(run);
        if ((*run)->worker->isDone()) {
            done.splice(done.end(), runs_, run);
        }
        run = next;
    }
    Run& run = *runs_.emplace_back(std::make_unique<Run>(*this));
    current_ = &run;
    run.worker.emplace(
        [this, &run, request = std::move(request)](const std::stop_token& stop) { work(stop, run, request); });
    return true;
}

void ImportJob::work(const std::stop_token& stop, Run& run, const ImportRequest& request) {
    QString failure;
    QStringList notes;
    try {
        checkListedFiles(request.paths);
        const std::unique_ptr<SpreadsheetOffice> office = run.connect(factory_);
        const Run::InUse inUse(run, *office);
        WatchedOffice watched(*office, run.watch);
        const auto report = [this, &run](int percent) {
            if (!run.ended) {
                emit progressChanged(percent);
            }
        };
        ImportRun importRun(watched, request, report, stop);
        importRun.run();
        notes = importRun.notes();
    } catch (const Error& e) {
        failure = e.message();
    } catch (const std::exception& e) {
        failure = QString::fromLocal8Bit(e.what());
    } catch (...) {
        // An exception of no known kind, from a library below us, ends the run with a word too.
        failure = tr("The import ended with an error of an unknown kind.");
    }
    end(run, failure, notes);
}

// Only the running import is watched: one that has ended waits on the office no longer for the user. When the office
// stops answering, the run ends for the user at once; then the thread that waits on the office is freed.
void ImportJob::watchDeadlines() {
    Run* run = nullptr;
    {
        const std::scoped_lock hold(lock_);
        run = current_;
    }
    // Runs go only on this thread, so the one found stays.
    const std::optional<OfficeWatch::Clock::time_point> due = run ? run->watch.earliest() : std::nullopt;
    if (!due) {
        deadline_.stop();
        return;
    }
    if (const auto now = OfficeWatch::Clock::now(); *due > now) {
        deadline_.start(std::chrono::ceil<std::chrono::milliseconds>(*due - now));
        return;
    }
    // Ended before the office is let go: the call that fails then must not tell its own end first.
    if (markEnded(*run)) {
        run->abandonOffice();
        // Last: whoever is told may start the next run, which removes this one where its thread has ended.
        emit finished(stoppedAnswering(), {});
    }
}

bool ImportJob::markEnded(Run& run) {
    {
        const std::scoped_lock hold(lock_);
        if (run.ended) {
            return false;
        }
        run.ended = true;
        current_ = nullptr;
    }
    idle_.notify_all();
    return true;
}

void ImportJob::end(Run& run, const QString& failure, const QStringList& notes) {
    if (markEnded(run)) {
        emit finished(failure, notes);
    }
}

void ImportJob::requestStop() {
    const std::scoped_lock hold(lock_);
    if (current_) {
        current_->worker->requestStop();
    }
}

bool ImportJob::waitUntilIdle(std::chrono::milliseconds limit) {
    std::unique_lock hold(lock_);
    return idle_.wait_for(hold, limit, [this] { return current_ == nullptr; });
}

} // namespace quillmere

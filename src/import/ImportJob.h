#pragma once

#include "import/ImportRequest.h"
#include "import/Spreadsheet.h"

#include <QObject>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace quillmere {

// Runs one import at a time off the user-interface thread; progress and the end come back as signals.
class ImportJob : public QObject {
    Q_OBJECT

public:
    // Makes the office connection; called on the worker thread, since starting the office takes seconds.
    using OfficeFactory = std::function<std::unique_ptr<SpreadsheetOffice>()>;

    explicit ImportJob(OfficeFactory factory, QObject* parent = nullptr);
    // Asks a running import to stop at its next block and waits for it.
    ~ImportJob() override;

    bool isRunning() const { return running_; }
    // Starts the import; does nothing and returns false while one is running.
    bool start(ImportRequest request);
    // Asks a running import to stop at its next step; it ends as a stopped run, leaving the document usable.
    void requestStop();
    // Waits at most the time given for a running import to end; true once none runs.
    bool waitUntilIdle(std::chrono::milliseconds limit);

signals:
    void progressChanged(int percent);
    // failure is empty when the import succeeded (or was stopped).
    void finished(const QString& failure);

private:
    void work(const std::stop_token& stop, const ImportRequest& request);

    OfficeFactory factory_;
    std::atomic<bool> running_ = false;
    std::mutex idleLock_;
    std::condition_variable idle_;
    std::jthread worker_;
};

} // namespace quillmere

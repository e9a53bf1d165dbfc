#pragma once

#include "import/ImportRequest.h"
#include "import/Spreadsheet.h"

#include <QObject>

#include <atomic>
#include <functional>
#include <memory>
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

signals:
    void progressChanged(int percent);
    // failure is empty when the import succeeded (or was stopped).
    void finished(const QString& failure);

private:
    void work(const std::stop_token& stop, const ImportRequest& request);

    OfficeFactory factory_;
    std::atomic<bool> running_ = false;
    std::jthread worker_;
};

} // namespace quillmere

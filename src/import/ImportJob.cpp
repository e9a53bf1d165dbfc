#include "import/ImportJob.h"

#include "import/ImportRun.h"

namespace quillmere {

ImportJob::ImportJob(OfficeFactory factory, QObject* parent)
    : QObject(parent)
    , factory_(std::move(factory)) {}

ImportJob::~ImportJob() = default;

bool ImportJob::start(ImportRequest request) {
    if (running_.exchange(true)) {
        return false;
    }
    worker_ = std::jthread([this, request = std::move(request)](std::stop_token stop) { work(stop, request); });
    return true;
}

void ImportJob::work(const std::stop_token& stop, const ImportRequest& request) {
    QString failure;
    try {
        checkListedFiles(request.paths);
        const auto office = factory_();
        ImportRun(
            *office, request, [this](int percent) { emit progressChanged(percent); }, stop)
            .run();
    } catch (const Error& e) {
        failure = e.message();
    } catch (const std::exception& e) {
        failure = QString::fromLocal8Bit(e.what());
    }
    {
        const std::scoped_lock hold(idleLock_);
        running_ = false;
    }
    idle_.notify_all();
    emit finished(failure);
}

void ImportJob::requestStop() {
    worker_.request_stop();
}

bool ImportJob::waitUntilIdle(std::chrono::milliseconds limit) {
    std::unique_lock hold(idleLock_);
    return idle_.wait_for(hold, limit, [this] { return !running_; });
}

} // namespace quillmere

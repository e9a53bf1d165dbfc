#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>

#include <chrono>
#include <functional>

namespace quillmere::testing {

// Runs this thread's events, an import job's watch of the office among them, until done() holds; false where it does
// not within the limit.
inline bool runEventsUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    QTimer wake; // ends the last wait below once the limit has passed
    wake.start(limit);
    const QDeadlineTimer deadline(limit);
    while (!done() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return done();
}

} // namespace quillmere::testing

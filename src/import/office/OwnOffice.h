#pragma once

#include "import/office/SpreadsheetConnection.h"

#include <QProcess>
#include <QTemporaryDir>

#include <chrono>
#include <memory>

namespace quillmere::office {

// An office of this program's own, never the user's: its own profile folder and pipe, started on construction and
// ended on destruction with everything it holds. Hidden, it shows no window at all.
class OwnOffice {
public:
    enum class Windows { Shown, Hidden };

    // Throws OfficeError when the office cannot be started.
    explicit OwnOffice(Windows windows);
    ~OwnOffice();
    OwnOffice(const OwnOffice&) = delete;
    OwnOffice& operator=(const OwnOffice&) = delete;

    const QString& pipeName() const { return pipeName_; }
    // The office's process group, the launcher's and the office's.
    qint64 processGroup() const { return process_.processId(); }
    // A new connection to this office; waits for the office to accept within the limit. Throws OfficeError.
    std::unique_ptr<SpreadsheetConnection> connect(std::chrono::milliseconds limit = OfficeAnswerLimit);

private:
    QString soffice_;
    QTemporaryDir profile_;
    QString pipeName_;
    QProcess process_;
};

} // namespace quillmere::office

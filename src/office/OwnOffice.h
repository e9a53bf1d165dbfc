#pragma once

#include "office/SpreadsheetConnection.h"

#include <QProcess>
#include <QTemporaryDir>

#include <chrono>
#include <memory>

namespace quillmere::office {

// An office of this program's own, never the user's: its own profile folder and pipe, started on construction. On
// destruction it is asked to end as an office is asked, over UNO, so that it leaves nothing behind; one that does not
// end in time is ended by its guard, a process of its own beside the program that also ends it when this program is
// killed. Hidden, it shows no window at all.
class OwnOffice {
public:
    enum class Windows { Shown, Hidden };

    // Throws OfficeError when the office cannot be started.
    explicit OwnOffice(Windows windows);
    ~OwnOffice();
    OwnOffice(const OwnOffice&) = delete;
    OwnOffice& operator=(const OwnOffice&) = delete;

    const QString& pipeName() const { return pipeName_; }
    // The office's process group.
    qint64 processGroup() const { return group_; }
    // A new connection to this office; waits for the office to accept within the limit. Throws OfficeError.
    std::unique_ptr<SpreadsheetConnection> connect(std::chrono::milliseconds limit = OfficeAnswerLimit);

    // Removes what the own offices of processes that have ended left, however those ended: profile folders, pipes,
    // and the office itself where it still runs.
    static void removeLeftovers();

private:
    QTemporaryDir folder_;
    QString soffice_;
    QString pipeName_;
    QProcess guard_;
    qint64 group_ = 0;
    // Once the office accepts, its pipes are listed in its folder, for a later run where this one is killed.
    bool socketsListed_ = false;
};

} // namespace quillmere::office

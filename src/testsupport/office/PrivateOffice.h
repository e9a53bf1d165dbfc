#pragma once

#include "import/office/SpreadsheetConnection.h"

#include <QProcess>
#include <QTemporaryDir>

#include <memory>

namespace quillmere::testing {

// An office of its own (own profile folder, own pipe), started on construction, stopped on destruction,
// so tests never touch a user's office.
class PrivateOffice {
public:
    PrivateOffice();
    ~PrivateOffice();
    PrivateOffice(const PrivateOffice&) = delete;
    PrivateOffice& operator=(const PrivateOffice&) = delete;

    const QString& pipeName() const { return pipeName_; }
    // A new connection to this office; the first one waits until the office accepts.
    std::unique_ptr<office::SpreadsheetConnection> connect();
    // Stops the office where it stands, as a hung one looks, and lets it go on.
    void pause();
    void resume();

private:
    void initialiseProfile();

    QTemporaryDir profile_;
    QString pipeName_;
    QProcess process_;
};

} // namespace quillmere::testing

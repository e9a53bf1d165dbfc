#pragma once

#include "office/OwnOffice.h"

#include <memory>

namespace quillmere::testing {

// An office of the test's own (own profile folder, own pipe), with its windows, as users run it, started on
// construction and stopped on destruction, so that tests never touch a user's office.
class PrivateOffice {
public:
    PrivateOffice()
        : office_(office::OwnOffice::Windows::Shown) {}

    const QString& pipeName() const { return office_.pipeName(); }
    // A new connection to this office; the first one waits until the office accepts.
    std::unique_ptr<office::SpreadsheetConnection> connect() { return office_.connect(std::chrono::seconds(90)); }
    // Stops the office where it stands, as a hung one looks, and lets it go on.
    void pause();
    void resume();

private:
    office::OwnOffice office_;
};

} // namespace quillmere::testing

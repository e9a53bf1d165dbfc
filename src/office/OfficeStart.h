#pragma once

#include "office/OfficeLink.h"

#include <QString>

#include <chrono>

namespace quillmere::office {

// The office's program folder: UNO_PATH when set, else the folder the UNO libraries were loaded from, else the
// folder Debian installs it in.
QString officeProgramFolder();

// The office that accepts on the named pipe. Throws NoConnectException while nothing accepts there.
OfficeLink resolvePipe(const QString& pipeName);

// Starts the office of the program folder, detached so that it outlives this program, accepting on a pipe of its
// own, and waits for it to answer there. When the user's office runs already, the new one hands over to it, which
// may be busy for a while. Throws OfficeError at once when the folder holds no office, and when it did not answer
// within the limit, saying what to check.
OfficeLink startOffice(const QString& programFolder, std::chrono::milliseconds limit);

} // namespace quillmere::office

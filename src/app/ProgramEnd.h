#pragma once

#include <chrono>

namespace quillmere {
class ImportJob;
}

namespace quillmere::app {

// After the window closes, how long a stopped import gets to hand its document back: the program is gone within two
// seconds of the close, and the rest is left for the close to reach the end and for the exit itself.
inline constexpr std::chrono::milliseconds EndLimit = std::chrono::milliseconds(1500);

// Ends the program once its window has closed: a running import gets the limit to end, and then the program is gone
// with its working files, whatever it still waits on. A call into an office that does not answer cannot hold it.
[[noreturn]] void endProgram(ImportJob& job, int status, std::chrono::milliseconds limit = EndLimit);

} // namespace quillmere::app

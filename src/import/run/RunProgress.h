#pragma once

#include <functional>

namespace quillmere {

// How far an import run has come: percent done, 0 to 100, never going back, and 100 only once the last cells are
// written; or WaitingOnOffice while the office loads a whole file, of which it tells nothing until it is done.
using RunProgress = std::function<void(int percent)>;
inline constexpr int WaitingOnOffice = -1;

} // namespace quillmere

#pragma once

#include <QString>

#include <functional>

namespace quillmere::office {

// Runs one step against the office and turns every UNO, bridge and bootstrap failure into OfficeError
// with the action's description and the office's message.
void guarded(const QString& action, const std::function<void()>& step);

template <typename Result, typename Step>
Result guardedResult(const QString& action, Step&& step) {
    Result result{};
    guarded(action, [&] { result = step(); });
    return result;
}

} // namespace quillmere::office

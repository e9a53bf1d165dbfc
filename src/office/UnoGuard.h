#pragma once

#include <QString>

#include <functional>

namespace quillmere::office {

// The office's words as a user can read them: without the place in the office's source code that some messages end
// with (and that is all 7.4 says of most refusals), and empty for a bare type name, which says nothing to a user.
QString plainWords(QString officeMessage);

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

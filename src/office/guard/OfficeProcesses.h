#pragma once

#include <QByteArray>
#include <QStringList>

#include <chrono>
#include <functional>
#include <vector>

// An office of the program's own, seen as processes: what the program and its guard need to end one that does not end
// when asked, and to remove what it leaves. Linux only: it reads /proc.
namespace quillmere::office {

// The processes of a process group, by their ids.
std::vector<qint64> processesOfGroup(qint64 group);
// The processes whose command line holds the text.
std::vector<qint64> processesNaming(const QByteArray& text);
// The paths of the Unix sockets that the processes hold bound in the file system, as an office's pipes.
QStringList socketPathsOf(const std::vector<qint64>& processes);
// Whether no process of the group is left.
bool groupHasEnded(qint64 group);
// Waits at most the time given for the group to end, calling reap() between looks, as zombies of the caller's count;
// true once it has.
bool waitForGroupEnd(qint64 group, std::chrono::milliseconds limit, const std::function<void()>& reap = {});
// Ends the group at once: SIGTERM, and SIGKILL for what is left after a few seconds.
void endGroup(qint64 group, const std::function<void()>& reap = {});

// Owns a descriptor that becomes readable when the process ends, whoever reaps it.
class ProcessWatch {
public:
    explicit ProcessWatch(qint64 pid);
    ~ProcessWatch();
    ProcessWatch(const ProcessWatch&) = delete;
    ProcessWatch& operator=(const ProcessWatch&) = delete;

    // Waits at most the time given for the process to end; true once it has.
    bool endsWithin(std::chrono::milliseconds wait) const;

private:
    int fd_;
};

} // namespace quillmere::office

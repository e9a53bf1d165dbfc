#include "base/EndSignals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace quillmere {

namespace {

constexpr int endingSignals[] = {SIGTERM, SIGHUP, SIGINT};

// A handler may do next to nothing: it only wakes the event loop, which reads the socket's other end.
int sockets[2] = {-1, -1};

extern "C" void wakeEventLoop(int) {
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(sockets[0], &byte, 1);
    errno = saved;
}

void handleWith(void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : endingSignals) {
        sigaction(signal, &action, nullptr);
    }
}

} // namespace

EndSignals::EndSignals(QObject* parent)
    : QObject(parent) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, sockets) != 0) {
        throw std::runtime_error("cannot create the socket pair for the end signals");
    }
    notifier_ = new QSocketNotifier(sockets[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &EndSignals::takeSignal);
    handleWith(wakeEventLoop);
}

EndSignals::~EndSignals() {
    handleWith(SIG_DFL);
    delete notifier_;
    ::close(sockets[0]);
    ::close(sockets[1]);
    sockets[0] = sockets[1] = -1;
}

void EndSignals::takeSignal() {
    char bytes[16];
    while (::read(sockets[1], bytes, sizeof bytes) > 0) {
    }
    emit received();
}

} // namespace quillmere

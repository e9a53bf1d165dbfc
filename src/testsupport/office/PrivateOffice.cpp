#include "testsupport/office/PrivateOffice.h"

#include <signal.h>

namespace quillmere::testing {

void PrivateOffice::pause() {
    ::kill(-pid_t(office_.processGroup()), SIGSTOP);
}

void PrivateOffice::resume() {
    ::kill(-pid_t(office_.processGroup()), SIGCONT);
}

} // namespace quillmere::testing

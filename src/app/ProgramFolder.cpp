#include "app/ProgramFolder.h"

#include <QCoreApplication>

namespace quillmere::app {

// On Linux Qt takes the program's path from /proc/self/exe, which the kernel gives with every link resolved.
QString programFolder() {
    return QCoreApplication::applicationDirPath();
}

} // namespace quillmere::app

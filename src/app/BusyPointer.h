#pragma once

#include <QCursor>
#include <QGuiApplication>

namespace quillmere::app {

// Shows the wait pointer over the whole program for as long as it lives, whatever lies under the mouse; the
// pointers of the controls come back when it goes. Several may live at once.
class BusyPointer {
public:
    BusyPointer() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QGuiApplication::restoreOverrideCursor(); }

    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

} // namespace quillmere::app

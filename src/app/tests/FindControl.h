#pragma once

#include <QWidget>

namespace quillmere::testing {

// The window's control of that object name; a missing control ends the test program, as no check could go on.
template <typename Control = QWidget>
Control* findControl(const QWidget& form, const QString& name) {
    auto* found = form.findChild<Control*>(name);
    if (!found) {
        qFatal("no control %s", qPrintable(name));
    }
    return found;
}

} // namespace quillmere::testing

#pragma once

#include <QString>

namespace quillmere::testing::desktop {

// The private desktop's windows by title, asked of its window manager: xdotool on X11, the shell's Eval under GNOME
// on Wayland, where the office's windows are no X11 windows.
QString focusedWindowTitle();
// GNOME on Wayland moves the focus between windows only for the user's own input, which no test makes.
bool focusMovesWithoutInput();
// Only where it does.
void activateWindow(const QString& title);

} // namespace quillmere::testing::desktop

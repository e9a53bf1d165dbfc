#pragma once

#include <QString>

namespace quillmere::app {

// The folder holding the program itself, where its pointer files and home page lie: the folder the program file
// really is in, also when it was started through a link (as /usr/bin/quillmere is). Needs the application object.
QString programFolder();

} // namespace quillmere::app

#pragma once

#include <QApplication>

#include <memory>

namespace quillmere::app {

// Runs the program in the UTF-8 form of the user's locale, as Qt would, but without Qt's four lines about it on every
// start: under cron, with no LANG set, that is a mail every night. Called before any application object.
void preferUtf8Locale();

// The window's application. Where there is no display to show the window on, the program ends with a line on standard
// error saying so and status 1: Qt itself would abort it, dumping its core.
std::unique_ptr<QApplication> windowApplication(int& argc, char** argv);

} // namespace quillmere::app

#pragma once

#include <QString>
#include <QUrl>

namespace quillmere::app {

// The program's home page: the README that ships beside the program.
inline constexpr auto HomePageFile = "README.md";

QUrl homePage(const QString& programFolder);

// Opens the page, without waiting, on about one start in a hundred.
void maybeOpenHomePage(const QUrl& page);

} // namespace quillmere::app

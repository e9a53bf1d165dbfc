#pragma once

#include <QDesktopServices>
#include <QString>
#include <QUrl>

#include <functional>

namespace quillmere {

// The program's home page: the README that ships beside the program.
inline constexpr auto HomePageFile = "README.md";

QUrl HomePage(const QString& programFolder);

// A whole number from 1 to 100, each equally likely.
int DrawOneToHundred();

// Opens the page, without waiting, on about one start in a hundred: when draw() gives 7.
void MaybeOpenHomePage(const QUrl& page, const std::function<int()>& draw = DrawOneToHundred,
                       const std::function<bool(const QUrl&)>& open = QDesktopServices::openUrl);

} // namespace quillmere

#include "app/HomePage.h"

#include <QDesktopServices>
#include <QDir>
#include <QRandomGenerator>

namespace quillmere::app {

QUrl homePage(const QString& programFolder) {
    return QUrl::fromLocalFile(QDir(programFolder).filePath(QString::fromLatin1(HomePageFile)));
}

void maybeOpenHomePage(const QUrl& page) {
    if (QRandomGenerator::global()->bounded(1, 101) == 7) {
        QDesktopServices::openUrl(page);
    }
}

} // namespace quillmere::app

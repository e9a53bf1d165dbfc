#include "app/HomePage.h"

#include <QDesktopServices>
#include <QDir>
#include <QRandomGenerator>

namespace quillmere::app {

QUrl HomePage(const QString& programFolder) {
    return QUrl::fromLocalFile(QDir(programFolder).filePath(QString::fromLatin1(HomePageFile)));
}

void MaybeOpenHomePage(const QUrl& page) {
    if (QRandomGenerator::global()->bounded(1, 101) == 7) {
        QDesktopServices::openUrl(page);
    }
}

} // namespace quillmere::app

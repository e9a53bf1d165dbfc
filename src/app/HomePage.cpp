#include "app/HomePage.h"

#include <QDir>
#include <QRandomGenerator>

namespace quillmere {

QUrl HomePage(const QString& programFolder) {
    return QUrl::fromLocalFile(QDir(programFolder).filePath(QString::fromLatin1(HomePageFile)));
}

int DrawOneToHundred() {
    return QRandomGenerator::global()->bounded(1, 101);
}

void MaybeOpenHomePage(const QUrl& page, const std::function<int()>& draw,
                       const std::function<bool(const QUrl&)>& open) {
    if (draw() == 7) {
        open(page);
    }
}

} // namespace quillmere

// Draws the program's pointer files into the folder given as the only argument.
#include "app/pointerfiles/CursorFile.h"
#include "app/pointerfiles/PointerPictures.h"

#include <QDir>
#include <QSaveFile>

#include <cstdio>

namespace {

bool writeFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(path), qPrintable(file.errorString()));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const bool written =
        writeFile(folder.filePath(QStringLiteral("HAND-M.CUR")),
                  quillmere::pointerfiles::encodeCursorFile(quillmere::pointerfiles::handPointerPicture())) &&
        writeFile(folder.filePath(QStringLiteral("drag.ico")),
                  quillmere::pointerfiles::encodeIconFile(quillmere::pointerfiles::dragPicture()));
    return written ? 0 : 1;
}

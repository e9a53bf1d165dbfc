#include "filelist/FilePicker.h"

#include "filelist/FolderWalk.h"

#include <QFile>

namespace quillmere {

QStringList PickedPaths(const QStringList& pick) {
    if (pick.size() <= 1) {
        return pick;
    }
    const QString folder = QFile::decodeName(AsFolderPath(QFile::encodeName(pick.first())));
    QStringList paths;
    paths.reserve(pick.size() - 1);
    for (const QString& name : pick.sliced(1)) {
        paths << (name.startsWith(u'/') ? name : folder + name);
    }
    return paths;
}

} // namespace quillmere

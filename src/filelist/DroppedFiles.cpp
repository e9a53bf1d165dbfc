#include "filelist/DroppedFiles.h"

#include <QMimeData>
#include <QUrl>

namespace quillmere::filelist {

std::optional<QStringList> droppedFiles(const QMimeData& data) {
    const QList<QUrl> urls = data.urls();
    if (urls.isEmpty()) {
        return std::nullopt;
    }
    QStringList paths;
    paths.reserve(urls.size());
    for (const QUrl& url : urls) {
        if (!url.isLocalFile()) {
            return std::nullopt;
        }
        paths << url.toLocalFile();
    }
    return paths;
}

} // namespace quillmere::filelist

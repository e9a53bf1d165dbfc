#pragma once

#include <QStringList>

#include <optional>

class QMimeData;

namespace quillmere::filelist {

// The local paths a drag carries as a list of file addresses, in the drag's order; nullopt when it carries
// anything else (plain text, remote addresses), so that nothing of it is taken half.
std::optional<QStringList> droppedFiles(const QMimeData& data);

} // namespace quillmere::filelist

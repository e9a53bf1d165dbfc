#pragma once

#include <QString>
#include <QStringList>

namespace quillmere {

// A message about many things at once: the heading, the first few of them one per line, and how many more
// there are, so that a thousand missing files still make a box that fits on the screen.
QString problemList(const QString& heading, const QStringList& problems);

} // namespace quillmere

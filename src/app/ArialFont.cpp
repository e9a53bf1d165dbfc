#include "app/ArialFont.h"

#include <QStringList>

namespace quillmere::app {

QFont arialBold(qreal pointSize) {
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    font.setPointSizeF(pointSize);
    font.setBold(true);
    return font;
}

} // namespace quillmere::app

#pragma once

#include "app/pointerfiles/CursorFile.h"

#include <QImage>

namespace quillmere::pointerfiles {

// The hand shown over the picture buttons, pointing with the tip of its raised index finger. 32 by 32.
CursorPicture handPointerPicture();

// The pointer of a row being dragged: an arrow carrying a dotted box, pointing with its top-left corner. 32 by 32.
QImage dragPicture();

} // namespace quillmere::pointerfiles

#pragma once

#include <QByteArrayView>
#include <QString>

namespace quillmere {

// Decodes the bytes of a whole text file:
// - FF FE starts UTF-16 little-endian, FE FF UTF-16 big-endian (an odd last byte is dropped, a surrogate
//   without its partner becomes U+FFFD);
// - EF BB BF starts UTF-8;
// - without a mark, valid UTF-8 is UTF-8 and anything else is Windows-1252.
// The byte-order mark itself never reaches the text.
QString decodeText(QByteArrayView bytes);

// One character per byte in Windows-1252; the five unassigned bytes map to the C1 controls of the same value.
QString decodeWindows1252(QByteArrayView bytes);

} // namespace quillmere

#pragma once

#include <QByteArray>
#include <QImage>
#include <QPoint>

#include <optional>

namespace quillmere::pointerfiles {

// A pointer picture and the point of it that does the pointing.
struct CursorPicture {
    QImage image;
    QPoint hotspot;
};

// The picture as a Windows cursor file (.cur) holding one 32-bit image with its transparency mask.
QByteArray encodeCursorFile(const CursorPicture& cursor);
// The picture as a Windows icon file (.ico) holding one 32-bit image with its transparency mask.
QByteArray encodeIconFile(const QImage& image);

// The first picture of a cursor or icon file; an icon points with its top-left corner. Gives nullopt for
// anything that is not a readable picture of that kind.
std::optional<CursorPicture> decodeCursorFile(const QByteArray& bytes);

} // namespace quillmere::pointerfiles

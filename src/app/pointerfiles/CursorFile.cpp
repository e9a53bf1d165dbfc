#include "app/pointerfiles/CursorFile.h"

#include <QBuffer>
#include <QDataStream>
#include <QImageReader>

namespace quillmere::pointerfiles {

namespace {

enum class FileKind : quint16 { Icon = 1, Cursor = 2 };

constexpr int DirectorySize = 6 + 16; // the file header and one directory entry
constexpr int BitmapHeaderSize = 40;

// Rows of the 1-bit mask are padded to whole 32-bit words.
int maskRowBytes(int width) {
    return (width + 31) / 32 * 4;
}

void writeBitmap(QDataStream& out, const QImage& picture) {
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    const int width = image.width();
    const int height = image.height();
    const int rowBytes = maskRowBytes(width);
    // The height counts the colour rows and the mask rows together.
    out << quint32(BitmapHeaderSize) << qint32(width) << qint32(2 * height) << quint16(1) << quint16(32) << quint32(0)
        << quint32(height * (width * 4 + rowBytes)) << qint32(0) << qint32(0) << quint32(0) << quint32(0);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            out << quint32(image.pixel(x, y));
        }
    }
    for (int y = height - 1; y >= 0; --y) {
        QByteArray row(rowBytes, '\0');
        for (int x = 0; x < width; ++x) {
            if (qAlpha(image.pixel(x, y)) == 0) {
                row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
            }
        }
        out.writeRawData(row.constData(), int(row.size()));
    }
}

// Both kinds share one layout; a cursor keeps its hotspot where an icon keeps its planes and bit depth.
QByteArray encode(const QImage& image, FileKind kind, QPoint hotspot) {
    QByteArray bitmap;
    {
        QDataStream out(&bitmap, QIODevice::WriteOnly);
        out.setByteOrder(QDataStream::LittleEndian);
        writeBitmap(out, image);
    }
    QByteArray file;
    QDataStream out(&file, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(0) << quint16(kind) << quint16(1);
    out << quint8(image.width() % 256) << quint8(image.height() % 256) << quint8(0) << quint8(0);
    if (kind == FileKind::Cursor) {
        out << quint16(hotspot.x()) << quint16(hotspot.y());
    } else {
        out << quint16(1) << quint16(32);
    }
    out << quint32(bitmap.size()) << quint32(DirectorySize);
    out.writeRawData(bitmap.constData(), int(bitmap.size()));
    return file;
}

} // namespace

QByteArray encodeCursorFile(const CursorPicture& cursor) {
    return encode(cursor.image, FileKind::Cursor, cursor.hotspot);
}

QByteArray encodeIconFile(const QImage& image) {
    return encode(image, FileKind::Icon, {});
}

std::optional<CursorPicture> decodeCursorFile(const QByteArray& bytes) {
    QDataStream in(bytes);
    in.setByteOrder(QDataStream::LittleEndian);
    quint16 reserved = 0;
    quint16 kind = 0;
    quint16 count = 0;
    quint8 skipped[4] = {};
    quint16 hotspotX = 0;
    quint16 hotspotY = 0;
    in >> reserved >> kind >> count;
    in.readRawData(reinterpret_cast<char*>(skipped), sizeof skipped);
    in >> hotspotX >> hotspotY;
    const bool isCursor = kind == quint16(FileKind::Cursor);
    if (in.status() != QDataStream::Ok || reserved != 0 || count == 0 ||
        (!isCursor && kind != quint16(FileKind::Icon))) {
        return std::nullopt;
    }
    QByteArray data = bytes;
    QBuffer buffer(&data);
    // Qt's icon reader takes cursor files too; it only leaves their hotspot aside.
    CursorPicture cursor{QImageReader(&buffer, "ico").read(), {}};
    if (cursor.image.isNull()) {
        return std::nullopt;
    }
    if (isCursor && cursor.image.rect().contains(hotspotX, hotspotY)) {
        cursor.hotspot = QPoint(hotspotX, hotspotY);
    }
    return cursor;
}

} // namespace quillmere::pointerfiles

// A large input passes in pieces; every streamed form must give exactly what its whole form gives, wherever the
// pieces are cut.
#include "import/ColumnSplitting.h"
#include "import/MarkedTextFile.h"
#include "import/RowsExtent.h"
#include "import/TextReader.h"
#include "testsupport/TextFiles.h"

#include <QFile>

#include <gtest/gtest.h>
#include <random>

using namespace quillmere;
using quillmere::testing::TextFiles;

namespace {

QByteArray pick(std::mt19937& random, std::initializer_list<QByteArray> choices, int count) {
    QByteArray bytes;
    std::uniform_int_distribution<std::size_t> which(0, choices.size() - 1);
    for (int i = 0; i < count; ++i) {
        bytes += choices.begin()[which(random)];
    }
    return bytes;
}

// Files whose cuts fall inside characters, between surrogate halves and inside broken sequences.
std::vector<QByteArray> awkwardFiles(std::mt19937& random) {
    const QByteArray utf8Bom("\xEF\xBB\xBF");
    const auto letters = [&](int n) {
        return pick(random, {"a", "\n", "\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9F\x98\x80"}, n);
    };
    const auto noAscii = [&](int n) { return pick(random, {"\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9F\x98\x80"}, n); };
    const auto broken = [&](int n) {
        return pick(random, {"a", "\xE2\x82", "\xC3", "\x80", "\xF0\x9F", "\xE2\x82\xAC", "\xC0\xAF"}, n);
    };
    const auto utf16 = [&](int n) {
        return pick(random, {QByteArray("A\0", 2), "\x3D\xD8\x00\xDE", QByteArray("\x00\xDC", 2), "\x3D\xD8"}, n);
    };
    std::vector<QByteArray> files;
    for (int n : {7, 40, 200}) {
        files.push_back(letters(n));
        files.push_back(noAscii(n));
        files.push_back(utf8Bom + broken(n));
        files.push_back(utf8Bom + noAscii(n) + "\xE2\x82" + noAscii(n));
        files.push_back(broken(n));
        files.push_back(letters(n) + "\xFF");
        files.push_back("\xFF\xFE" + utf16(n));
        files.push_back("\xFF\xFE" + utf16(n) + "A");
        QByteArray bigEndian = utf16(n);
        for (qsizetype i = 0; i + 1 < bigEndian.size(); i += 2) {
            std::swap(bigEndian[i], bigEndian[i + 1]);
        }
        files.push_back("\xFE\xFF" + bigEndian);
    }
    return files;
}

QString streamed(const QString& path, qsizetype pieceBytes) {
    TextFileStream stream{FilePath(path), pieceBytes};
    QString joined;
    for (QString piece = stream.next(); !piece.isEmpty(); piece = stream.next()) {
        joined += piece;
    }
    EXPECT_EQ(stream.fractionRead(), 1.0);
    return joined;
}

// Cuts the text at random places, and at no place between the halves of a surrogate pair.
std::vector<QStringView> randomPieces(std::mt19937& random, QStringView text) {
    std::vector<QStringView> pieces;
    std::uniform_int_distribution<qsizetype> length(0, 6);
    for (qsizetype at = 0; at < text.size();) {
        qsizetype end = std::min(text.size(), at + length(random));
        if (end < text.size() && end > 0 && text[end - 1].isHighSurrogate()) {
            ++end;
        }
        pieces.push_back(text.sliced(at, end - at));
        at = end;
    }
    return pieces;
}

} // namespace

TEST(TextFileStream, PiecesJoinedAreTheWholeFileWhereverTheyAreCut) {
    std::mt19937 random(7);
    TextFiles files;
    for (const QByteArray& bytes : awkwardFiles(random)) {
        const QString path = files.write(u"t.txt"_qs, bytes);
        const QString whole = ReadTextFile(FilePath(path));
        for (qsizetype pieceBytes : {4, 5, 7, 16, 1 << 20}) {
            ASSERT_EQ(streamed(path, pieceBytes), whole) << bytes.toHex().toStdString() << " in " << pieceBytes;
        }
    }
}

TEST(ColumnMarker, MarkedPiecesJoinedAreTheWholeTextMarked) {
    std::mt19937 random(11);
    const std::pair<ColumnRule, QString> rules[] = {
        {ColumnRule::SplitAtText, u"aa"_qs},
        {ColumnRule::SplitAtText, u"ab"_qs},
        {ColumnRule::SplitAtText, u"\U0001F600"_qs},
        {ColumnRule::SplitAtText, u"a\U0001F600a"_qs},
        {ColumnRule::SplitAtComma, {}},
        {ColumnRule::NoSplit, {}},
        {ColumnRule::SplitAtText, {}},
    };
    const QString alphabet[] = {u"a"_qs, u"b"_qs, u","_qs, u"\U0001F600"_qs, u"\n"_qs, u"\u00B8"_qs};
    for (int round = 0; round < 200; ++round) {
        QString text;
        std::uniform_int_distribution<int> which(0, std::size(alphabet) - 1);
        for (int i = 0; i < 30; ++i) {
            text += alphabet[which(random)];
        }
        for (const auto& [rule, delimiter] : rules) {
            ColumnMarker marker(rule, delimiter);
            QString joined;
            for (QStringView piece : randomPieces(random, text)) {
                const QString marked = marker.mark(piece);
                ASSERT_FALSE(!marked.isEmpty() && marked.back().isHighSurrogate()) << text.toStdString();
                joined += marked;
            }
            joined += marker.finish();
            ASSERT_EQ(joined, MarkColumns(text, rule, delimiter))
                << text.toStdString() << " / " << delimiter.toStdString();
        }
    }
}

TEST(RowsMeasure, CountsRowsUpToTheLastCellTheWidestRowAndTheLongestCellInAnyPieces) {
    const QString text = u"a\n\u00B81\u00B822\u00B8333\n\nabcd\n\n"_qs;
    RowsExtent whole = measureRows(SplitRows(text));
    EXPECT_EQ(whole.rows, 4);
    EXPECT_EQ(whole.columns, 4);
    EXPECT_EQ(whole.widestRow, 1);
    EXPECT_EQ(whole.longestCell, 4);
    for (qsizetype cut = 0; cut <= text.size(); ++cut) {
        RowsMeasure measure;
        measure.add(QStringView(text).first(cut));
        measure.add(QStringView(text).sliced(cut));
        const RowsExtent pieces = measure.extent();
        EXPECT_EQ(std::tie(pieces.rows, pieces.columns, pieces.widestRow, pieces.longestCell),
                  std::tie(whole.rows, whole.columns, whole.widestRow, whole.longestCell));
    }
    EXPECT_EQ(measureRows(SplitRows(QString())).rows, 0);
    EXPECT_EQ(measureRows(SplitRows(u"\n\n"_qs)).widestRow, -1);
}

// The working file holds the marked text without carriage returns, whatever falls across the pieces; read back in
// pieces of whole lines it gives the same rows.
TEST(MarkedTextFile, HoldsTheMarkedTextAndGivesItBackInWholeLines) {
    QString text;
    for (int line = 0; line < 60'000; ++line) {
        text += u"cell::%1::\u00E9\U0001F600:\r\n"_qs.arg(line);
    }
    text += u"a\rb::\u0000::"_qs;
    const QString marked = MarkColumns(text, ColumnRule::SplitAtText, u"::"_qs).remove(u'\r');
    WorkFile work;
    MarkedTextWriter writer(work, ColumnRule::SplitAtText, u"::"_qs);
    std::mt19937 random(3);
    std::uniform_int_distribution<qsizetype> length(1, 100'000);
    for (qsizetype at = 0; at < text.size();) {
        const qsizetype end = std::min(text.size(), at + length(random));
        writer.add(QStringView(text).sliced(at, end - at));
        at = end;
    }
    EXPECT_EQ(writer.lineFeeds(), 60'000);
    const MarkedText written = writer.finish();
    EXPECT_TRUE(written.holdsNul);
    EXPECT_EQ(written.extent.rows, 60'001);
    EXPECT_EQ(written.extent.columns, 3);

    QFile file(work.path());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), marked.toUtf8() + '\n');

    MarkedTextReader reader(work);
    QString readBack;
    int pieces = 0;
    for (QString lines = reader.nextLines(); !lines.isEmpty(); lines = reader.nextLines(), ++pieces) {
        ASSERT_TRUE(lines.endsWith(u'\n'));
        readBack += lines;
    }
    EXPECT_GT(pieces, 1);
    EXPECT_EQ(readBack, marked + u'\n');
}

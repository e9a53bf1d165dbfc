#include "testsupport/DifferentialCheck.h"

#include "import/ColumnSplitting.h"
#include "import/Error.h"
#include "import/ImportRun.h"
#include "import/SheetNames.h"
#include "import/TextReader.h"
#include "testsupport/DocumentReadback.h"
#include "testsupport/RecordingOffice.h"
#include "testsupport/TextFiles.h"

namespace quillmere::testing {

using inspect::DocumentContents;
using inspect::SheetContents;

namespace {

constexpr qsizetype reportedDifferences = 10;

SheetContents sheetOf(const QString& name, const QString& text, const ImportRequest& request) {
    SheetContents sheet{name, {}, {}};
    for (const QStringView row : SplitRows(MarkColumns(text, request.rule, request.customDelimiter))) {
        std::vector<QString> cells;
        for (const QStringView cell : SplitCells(row)) {
            cells.push_back(cell.toString());
        }
        sheet.rows.push_back(std::move(cells));
    }
    inspect::trim(sheet.rows);
    return sheet;
}

// In one sheet the files' texts join as they stand; one sheet per file stands in reverse list order, named after
// its file. The listed files must name distinct sheets.
DocumentContents expectedDocument(const ImportRequest& request, const QString& firstSheetName) {
    if (request.layout == SheetLayout::SingleSheet) {
        QString joined;
        for (const FilePath& path : request.paths) {
            joined += ReadTextFile(path);
        }
        return {sheetOf(firstSheetName, joined, request)};
    }
    DocumentContents document;
    for (auto path = request.paths.crbegin(); path != request.paths.crend(); ++path) {
        const QString name = KeepNameChars(GetFileName(path->shown));
        document.push_back(sheetOf(name.isEmpty() ? QStringLiteral("Sheet") : name, ReadTextFile(*path), request));
    }
    return document;
}

// A cell's text as a person can read it in a report: controls escaped, long texts cut short.
QString shown(const QString& text) {
    QString out;
    for (const QChar c : text.first(std::min<qsizetype>(text.size(), 40))) {
        out += c.isPrint() && c != u'\\' ? QString(c) : QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QChar(u'0'));
    }
    return QStringLiteral("\"%1\"%2 (%3 characters)").arg(out, text.size() > 40 ? u"…" : u"").arg(text.size());
}

QString cellAt(const SheetContents& sheet, std::size_t row, std::size_t column) {
    return row < sheet.rows.size() && column < sheet.rows[row].size() ? sheet.rows[row][column] : QString();
}

void compareCells(const SheetContents& want, const SheetContents& got, QStringList& found) {
    for (std::size_t r = 0; r < std::max(want.rows.size(), got.rows.size()) && found.size() < reportedDifferences;
         ++r) {
        const std::size_t width =
            std::max(r < want.rows.size() ? want.rows[r].size() : 0, r < got.rows.size() ? got.rows[r].size() : 0);
        for (std::size_t c = 0; c < width && found.size() < reportedDifferences; ++c) {
            if (const QString wanted = cellAt(want, r, c), gotten = cellAt(got, r, c); wanted != gotten) {
                found << QStringLiteral("sheet \"%1\", row %2, column %3: expected %4, found %5")
                             .arg(want.name)
                             .arg(r + 1)
                             .arg(c + 1)
                             .arg(shown(wanted), shown(gotten));
            }
        }
    }
}

QStringList compare(const DocumentContents& want, const DocumentContents& got) {
    QStringList found;
    if (want.size() != got.size()) {
        found << QStringLiteral("expected %1 sheets, found %2").arg(want.size()).arg(got.size());
    }
    for (std::size_t s = 0; s < std::min(want.size(), got.size()); ++s) {
        if (want[s].name != got[s].name) {
            found << QStringLiteral("sheet %1: expected the name %2, found %3")
                         .arg(s + 1)
                         .arg(shown(want[s].name), shown(got[s].name));
        }
        if (!got[s].nonText.isEmpty()) {
            found << QStringLiteral("sheet %1 holds cells that are not text: %2").arg(s + 1).arg(got[s].nonText);
        }
        compareCells(want[s], got[s], found);
    }
    return found;
}

} // namespace

QStringList differences(SpreadsheetOffice& office, const HostileCase& c, int& fileLoads) {
    TextFiles folder;
    ImportRequest request{{}, c.layout, c.rule, c.delimiter};
    for (const CaseFile& file : c.files) {
        request.paths << folder.write(file.name, file.bytes());
    }
    RecordingOffice recorder(office);
    try {
        ImportRun(recorder, request, [](int) {}).run();
    } catch (const Error& e) {
        if (recorder.lastDocument()) {
            inspect::closeDocument(*recorder.lastDocument());
        }
        return {QStringLiteral("the run failed: %1").arg(e.message())};
    }
    fileLoads += recorder.fileLoads();
    const QStringList found = compare(expectedDocument(request, office.newDocumentSheetNames().front()),
                                      inspect::readDocument(*recorder.lastDocument()));
    inspect::closeDocument(*recorder.lastDocument());
    return found;
}

} // namespace quillmere::testing

#include "testsupport/ExpectedDocument.h"

#include "import/ColumnSplitting.h"
#include "import/SheetNames.h"
#include "import/TextReader.h"

namespace quillmere::testing {
namespace {

SheetContents sheetOf(const QString& name, const QString& text, const ImportRequest& request) {
    SheetContents sheet{name, {}, {}};
    for (const QStringView row : SplitRows(MarkColumns(text, request.rule, request.customDelimiter))) {
        std::vector<QString> cells;
        for (const QStringView cell : SplitCells(row)) {
            cells.push_back(cell.toString());
        }
        sheet.rows.push_back(std::move(cells));
    }
    trim(sheet.rows);
    return sheet;
}

} // namespace

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

} // namespace quillmere::testing

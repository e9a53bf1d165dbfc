#pragma once

#include "import/Spreadsheet.h"

#include <QString>

#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>

#include <memory>
#include <vector>

namespace quillmere::office {

// A new, untitled document whose first sheet holds the text file as the office's own text import reads it:
// UTF-8, rows at line breaks, cells at separator, no quoting, every cell text. Afterwards the document is made
// to look like any new one: its one sheet bears the name given, the cells have the
// general number format, it saves in the office's own format, and there is nothing to undo. Null when the office
// warned that it could not load the whole text. Whatever the office would ask the user during a load goes to a
// handler of ours instead.
std::unique_ptr<SpreadsheetDocument>
loadTextDocument(const com::sun::star::uno::Reference<com::sun::star::frame::XComponentLoader>& loader,
                 const QString& path, QChar separator, qint64 rows, qint64 columns, const QString& sheetName);

// A new, untitled document holding what a flat OpenDocument spreadsheet file holds, loaded as the office's own
// new documents look: it saves in the office's own format and there is nothing to undo. Null when the office
// warned that it could not load the whole file.
std::unique_ptr<SpreadsheetDocument>
loadFlatSpreadsheet(const com::sun::star::uno::Reference<com::sun::star::frame::XComponentLoader>& loader,
                    const QString& path);

// The names of the sheets that a new document comes with, in the office's own language.
std::vector<QString>
newDocumentSheetNames(const com::sun::star::uno::Reference<com::sun::star::uno::XComponentContext>& context);

} // namespace quillmere::office

#pragma once

#include "import/Spreadsheet.h"

#include <QString>

#include <com/sun/star/frame/XComponentLoader.hpp>

#include <functional>
#include <memory>

namespace quillmere::office {

// A new, untitled document whose first sheet holds the text file as the office's own text import reads it:
// UTF-8, rows at line breaks, cells at separator, no quoting, every cell text. Afterwards the document is made
// to look like any new one: its first sheet bears a new document's first-sheet name, the cells have the
// general number format, it saves in the office's own format, and there is nothing to undo. Progress through
// the load comes as fractions from 0 to 1, on another thread.
std::unique_ptr<SpreadsheetDocument>
LoadTextDocument(const com::sun::star::uno::Reference<com::sun::star::frame::XComponentLoader>& loader,
                 const QString& path, QChar separator, qint64 rows, qint64 columns,
                 const std::function<void(double)>& progress);

} // namespace quillmere::office

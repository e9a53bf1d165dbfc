#pragma once

#include "import/ImportRequest.h"
#include "testsupport/DocumentContents.h"

namespace quillmere::testing {

// The cells an import of the request must leave, computed by the import core's own reading, marking and
// splitting without the office: the reference the office's document is held against. In one sheet the files'
// texts join as they stand, and that sheet bears firstSheetName, the name of a new document's first sheet; one
// sheet per file stands in reverse list order, named after its file. The listed files must name distinct sheets.
DocumentContents expectedDocument(const ImportRequest& request, const QString& firstSheetName);

} // namespace quillmere::testing

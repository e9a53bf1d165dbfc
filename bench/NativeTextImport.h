#pragma once

#include "import/office/SpreadsheetConnection.h"

#include <QChar>
#include <QString>

#include <memory>

namespace quillmere {

// The office's own import of a delimited UTF-8 text file with every column as Text, into a new document of
// its own. The yardstick the benchmark measures the import run against; the document closes with the object.
class NativeTextImport {
public:
    enum class Window { Visible, Hidden };
    NativeTextImport(SpreadsheetConnection& connection, const QString& path, QChar separator, int columns,
                     Window window = Window::Visible);
    ~NativeTextImport();
    NativeTextImport(const NativeTextImport&) = delete;
    NativeTextImport& operator=(const NativeTextImport&) = delete;

    struct Document;

private:
    std::unique_ptr<Document> document_;
};

} // namespace quillmere

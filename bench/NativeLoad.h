#pragma once

#include <QChar>
#include <QString>

#include <memory>

namespace quillmere {

// The office's own loads, over a bridge of the benchmark's own: the yardsticks the import run is measured against.
class NativeOffice {
public:
    explicit NativeOffice(const QString& pipeName);
    ~NativeOffice();
    NativeOffice(const NativeOffice&) = delete;
    NativeOffice& operator=(const NativeOffice&) = delete;

    struct Desktop;
    Desktop& desktop() const { return *desktop_; }

private:
    std::unique_ptr<Desktop> desktop_;
};

// A new document of the office's own import of a file, loaded in a window of its own; it closes with the object.
class NativeLoad {
public:
    enum class Window { Visible, Hidden };
    // A delimited UTF-8 text file with every column as Text.
    static NativeLoad text(NativeOffice& office, const QString& path, QChar separator, int columns,
                           Window window = Window::Visible);
    // A flat OpenDocument spreadsheet file, as a new, untitled document.
    static NativeLoad flatSpreadsheet(NativeOffice& office, const QString& path, Window window = Window::Visible);
    ~NativeLoad();
    NativeLoad(NativeLoad&&) noexcept;
    NativeLoad(const NativeLoad&) = delete;
    NativeLoad& operator=(const NativeLoad&) = delete;
    NativeLoad& operator=(NativeLoad&&) = delete;

    struct Document;

private:
    explicit NativeLoad(std::unique_ptr<Document> document);
    std::unique_ptr<Document> document_;
};

} // namespace quillmere

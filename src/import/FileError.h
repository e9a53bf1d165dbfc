#pragma once

#include <QString>

#include <stdexcept>

namespace quillmere {

// A file could not be read or written; carries the path and the system's reason.
class FileError : public std::runtime_error {
public:
    FileError(QString path, QString reason);

    const QString& path() const { return path_; }
    const QString& reason() const { return reason_; }
    // "<path>: <reason>", for a message to the user.
    QString message() const;

private:
    QString path_;
    QString reason_;
};

} // namespace quillmere

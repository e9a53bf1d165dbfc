#pragma once

#include <QString>

#include <memory>

class QFileDevice;
class QTemporaryFile;

namespace quillmere {

// The private working file a marked text passes through: a unique name in the system's temporary folder,
// readable by its owner only, removed when the object goes, whatever way the run ends.
class WorkFile {
public:
    WorkFile(); // throws FileError when the temporary folder cannot take a file
    ~WorkFile();
    WorkFile(const WorkFile&) = delete;
    WorkFile& operator=(const WorkFile&) = delete;

    QString path() const;
    // The file emptied, ready to be written from its start. Whoever writes flushes it and checks for errors.
    QFileDevice& emptied();
    // The file as it stands, open for reading and writing.
    QFileDevice& device();

private:
    std::unique_ptr<QTemporaryFile> file_;
};

// Removes every working file that still exists: for an end of the program that cannot wait for the runs that
// hold them. Safe to call from any thread.
void removeWorkFiles();

} // namespace quillmere

#pragma once

#include <QString>

namespace quillmere {

class SpreadsheetDocument;

// The file a finished document is saved in. The document is written beside it first, hidden, with the same ending,
// and then put in its place in one step, so that the output is replaced only by a complete file. That partial file is
// named after this process, so that a later run can remove it where this one was killed while saving.
class OutputFile {
public:
    explicit OutputFile(QString path);

    // Saves the document there; where that fails, nothing of the save is left and an older output stays as it was.
    void save(SpreadsheetDocument& document) const;
    // Removes what a save that its office was still making when the run ended left.
    void removePartial() const;

private:
    QString path_;
    QString partial_;
};

} // namespace quillmere

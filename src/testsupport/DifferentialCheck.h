#pragma once

#include "import/Spreadsheet.h"
#include "testsupport/HostileCases.h"

#include <QString>
#include <QStringList>

namespace quillmere::testing {

// Runs cases through the import run over a real office and holds each document it leaves against the cells the
// import core's own reading, marking and splitting give without the office. The office names its new documents'
// first sheet firstSheetName.
class DifferentialCheck {
public:
    DifferentialCheck(SpreadsheetOffice& office, QString firstSheetName);

    // How the document differs from the reference, one line per difference (the first few); empty when alike.
    QStringList differences(const HostileCase& c);
    // How many of the documents so far came through the office's own import of a whole file.
    int fileLoads() const { return fileLoads_; }

private:
    SpreadsheetOffice& office_;
    QString firstSheetName_;
    int fileLoads_ = 0;
};

} // namespace quillmere::testing

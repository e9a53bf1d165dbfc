#pragma once

#include "import/Spreadsheet.h"
#include "import/job/OfficeWatch.h"

namespace quillmere {

// An office whose every call, and every call on its documents and sheets, is timed by the watch. A load of a whole
// file gets time for the file's size on top of the watch's limit.
class WatchedOffice final : public SpreadsheetOffice {
public:
    WatchedOffice(SpreadsheetOffice& office, OfficeWatch& watch)
        : office_(office)
        , watch_(watch) {}

    std::unique_ptr<SpreadsheetDocument> openNewDocument() override;
    std::unique_ptr<SpreadsheetDocument> openTextDocument(const QString& path, QChar separator, qint64 rows,
                                                          qint64 columns, const QString& sheetName) override;
    std::unique_ptr<SpreadsheetDocument> openSpreadsheetFile(const QString& path) override;
    std::vector<QString> newDocumentSheetNames() override;
    // Known on this side: no call.
    OfficeLimits limits() const override { return office_.limits(); }
    void abandon() override { office_.abandon(); }

private:
    std::unique_ptr<SpreadsheetDocument> watched(std::unique_ptr<SpreadsheetDocument> document);

    SpreadsheetOffice& office_;
    OfficeWatch& watch_;
};

} // namespace quillmere

#pragma once

#include "import/Spreadsheet.h"

#include <QCoreApplication>
#include <QString>

#include <chrono>
#include <memory>

namespace quillmere::office {

// A connection to the office for one import run. Every failure becomes OfficeError.
class SpreadsheetConnection final : public SpreadsheetOffice {
    Q_DECLARE_TR_FUNCTIONS(SpreadsheetConnection)

public:
    // How long the office gets to start and answer.
    static constexpr std::chrono::milliseconds StartLimit = OfficeAnswerLimit;

    // Starts the user's office, or hands over to the one already running; gives up when it has not answered
    // within the limit.
    static std::unique_ptr<SpreadsheetConnection> connectToUserOffice(std::chrono::milliseconds limit = StartLimit);
    // Connects to an office that accepts on the named pipe (one started with --accept=pipe,name=...;urp;).
    static std::unique_ptr<SpreadsheetConnection> connectToPipe(const QString& pipeName);

    ~SpreadsheetConnection() override;
    SpreadsheetConnection(const SpreadsheetConnection&) = delete;
    SpreadsheetConnection& operator=(const SpreadsheetConnection&) = delete;

    std::unique_ptr<SpreadsheetDocument> openNewDocument() override;
    std::unique_ptr<SpreadsheetDocument> openTextDocument(const QString& path, QChar separator, qint64 rows,
                                                          qint64 columns, const QString& sheetName) override;
    std::unique_ptr<SpreadsheetDocument> openSpreadsheetFile(const QString& path) override;
    std::vector<QString> newDocumentSheetNames() override;
    // Those of the office versions in use.
    OfficeLimits limits() const override;
    // Disposes the bridge to the office.
    void abandon() override;

private:
    struct Desktop;
    explicit SpreadsheetConnection(std::unique_ptr<Desktop> desktop);
    std::unique_ptr<Desktop> desktop_;
};

} // namespace quillmere::office

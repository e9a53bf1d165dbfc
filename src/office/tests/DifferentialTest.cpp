// The differential check against a private office: the office's own loads, the cells written and the .xlsx files
// written without it, held to the cells each case was drawn from. Runs one case again with QUILLMERE_FIRST_SEED=<seed>
// QUILLMERE_CASES=1.
#include "testsupport/DifferentialCheck.h"
#include "testsupport/office/DocumentReadback.h"
#include "testsupport/office/PrivateOffice.h"
#include "xlsx/XlsxWorkbook.h"

#include <QDir>

#include <gtest/gtest.h>
#include <optional>

using namespace Qt::StringLiterals;

using namespace quillmere;
using namespace quillmere::testing;

TEST(Differential, EveryCaseGivesTheCellsItWasDrawnFromInTheOffice) {
    PrivateOffice office;
    const auto connection = office.connect();
    const QStringList differences = checkCases(
        "differential", [&]() -> SpreadsheetOffice& { return *connection; },
        [](const SpreadsheetDocument& document) {
            inspect::DocumentContents contents = inspect::readDocument(document);
            inspect::closeDocument(document);
            return contents;
        });
    EXPECT_TRUE(differences.isEmpty()) << differences.join(u'\n').toStdString();
}

// The same cases written to .xlsx files with no office, each loaded back by the office: the file holds every cell
// whole, or the run refused it before it wrote anything. Every other workbook is written as a large input's is, its
// rows streamed to disk.
TEST(Differential, EveryCaseSavedAsXlsxGivesTheCellsItWasDrawnFrom) {
    PrivateOffice office;
    const auto connection = office.connect(); // once it accepts
    std::optional<xlsx::XlsxWorkbook> workbook;
    int made = 0;
    const QStringList differences = checkSavedCases(
        "differential, .xlsx",
        [&]() -> SpreadsheetOffice& { return workbook.emplace(QDir::tempPath(), ++made % 2 == 0 ? 0 : 1LL << 30); },
        u".xlsx"_s, [&](const QString& path) { return inspect::readSavedFile(office.pipeName(), path); });
    EXPECT_TRUE(differences.isEmpty()) << differences.join(u'\n').toStdString();
}

// The differential check against a private office: the office's own loads and the cells written, held to the cells
// each case was drawn from. Runs one case again with QUILLMERE_FIRST_SEED=<seed> QUILLMERE_CASES=1.
#include "testsupport/DifferentialCheck.h"
#include "testsupport/office/DocumentReadback.h"
#include "testsupport/office/PrivateOffice.h"

#include <gtest/gtest.h>

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

#pragma once

// What the import run relies on of an office's sheets (names, refusals and capacity), held against the stand-in office
// in the core tests and against the real one in the office tests, so that the two cannot drift apart. Office is a type
// whose objects give office() and refused(step): whether the step is refused with the reason.
#include "import/Spreadsheet.h"
#include "testsupport/GTestQt.h"

#include <gtest/gtest.h>
#include <memory>

namespace quillmere::testing {

template <typename Office>
class SpreadsheetContract : public ::testing::Test {
protected:
    static void SetUpTestSuite() { shared = std::make_unique<Office>(); }
    static void TearDownTestSuite() { shared.reset(); }
    SpreadsheetOffice& office() { return shared->office(); }
    bool refused(const std::function<void()>& step) { return shared->refused(step); }

    static inline std::unique_ptr<Office> shared;
};

TYPED_TEST_SUITE_P(SpreadsheetContract);

TYPED_TEST_P(SpreadsheetContract, SheetNamesAreTakenInAnyLetterCaseAndRefusalsSayWhy) {
    SpreadsheetOffice& office = this->office();
    const auto document = office.openNewDocument();
    const std::vector<QString> defaults = office.newDocumentSheetNames();
    ASSERT_EQ(sheetNames(*document), defaults);
    document->insertSheet(u"Data"_qs, 0);
    document->insertSheet(u"more"_qs, 1);
    EXPECT_EQ(document->sheetAt(0)->name(), u"Data");
    const std::function<void()> refusals[] = {
        [&] { document->insertSheet(u"DATA"_qs, 0); }, [&] { document->insertSheet(QString(), 0); },
        [&] { document->removeSheet(u"absent"_qs); }, [&] { document->sheetAt(document->sheetCount()); }};
    for (const auto& step : refusals) {
        EXPECT_TRUE(this->refused(step));
    }
    document->removeSheet(u"more"_qs);
    std::vector<QString> names{u"Data"_qs};
    names.insert(names.end(), defaults.begin(), defaults.end());
    EXPECT_EQ(sheetNames(*document), names);
    // The capacity the limits tell before any document is the sheet's own; a block beyond it is refused.
    const auto sheet = document->sheetAt(0);
    const SheetCapacity capacity = sheet->capacity();
    EXPECT_EQ(std::pair(capacity.rows, capacity.columns),
              std::pair(office.limits().sheet.rows, office.limits().sheet.columns));
    CellBlock block(2);
    block.addRow({u"a", u"b"});
    EXPECT_TRUE(this->refused([&] { sheet->writePrepared(capacity.columns - 1, 0, *sheet->prepareBlock(block)); }));
    document->close();
}

REGISTER_TYPED_TEST_SUITE_P(SpreadsheetContract, SheetNamesAreTakenInAnyLetterCaseAndRefusalsSayWhy);

} // namespace quillmere::testing

#include "cli/WorkbookMakers.h"

#include "import/text/TextReader.h"
#include "office/OwnOffice.h"
#include "xlsx/XlsxWorkbook.h"

#include <QFileInfo>

namespace quillmere::cli {
namespace {

class XlsxMaker final : public WorkbookMaker {
public:
    explicit XlsxMaker(const ImportRequest& request)
        : folder_(QFileInfo(request.output).absolutePath()) {
        for (const FilePath& file : request.paths) {
            bytes_ += fileSize(file).value_or(0);
        }
    }
    std::unique_ptr<SpreadsheetOffice> connect() override {
        return std::make_unique<xlsx::XlsxWorkbook>(folder_, bytes_);
    }

private:
    QString folder_;
    qint64 bytes_ = 0;
};

class HiddenOfficeMaker final : public WorkbookMaker {
public:
    std::unique_ptr<SpreadsheetOffice> connect() override { return office_.connect(); }

private:
    office::OwnOffice office_{office::OwnOffice::Windows::Hidden};
};

} // namespace

std::unique_ptr<WorkbookMaker> workbookMakerFor(const ImportRequest& request) {
    if (workbookForm(request.output) == WorkbookForm::OfficeOpenXml) {
        return std::make_unique<XlsxMaker>(request);
    }
    return std::make_unique<HiddenOfficeMaker>();
}

} // namespace quillmere::cli

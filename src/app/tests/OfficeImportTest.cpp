#include "AnsweringPicker.h"
#include "FindControl.h"
#include "app/Form1.h"
#include "filelist/FileListModel.h"
#include "filelist/FileListView.h"
#include "import/ImportJob.h"
#include "testsupport/CellReadback.h"
#include "testsupport/DocumentContents.h"
#include "testsupport/PrivateOffice.h"
#include "testsupport/RecordingOffice.h"
#include "testsupport/TextFiles.h"

#include <QProgressBar>
#include <QRadioButton>
#include <QTest>

#include <memory>
#include <mutex>

using namespace quillmere;
using quillmere::testing::PrivateOffice;
using quillmere::testing::RecordingOffice;
using quillmere::testing::TextFiles;

namespace {

// The connection of one run, with the document it opens kept for the test to read once the run is over.
class RecordedConnection final : public SpreadsheetOffice {
public:
    explicit RecordedConnection(std::unique_ptr<SpreadsheetConnection> connection,
                                std::shared_ptr<SpreadsheetDocument>& kept)
        : connection_(std::move(connection))
        , recorder_(*connection_)
        , kept_(kept) {}
    ~RecordedConnection() override { kept_ = recorder_.lastDocument(); }

    std::unique_ptr<SpreadsheetDocument> openNewDocument() override { return recorder_.openNewDocument(); }
    std::unique_ptr<SpreadsheetDocument> openTextDocument(const QString& path, qint64 rows, qint64 columns,
                                                          const QString& sheetName,
                                                          const std::function<void(double)>& progress) override {
        return recorder_.openTextDocument(path, rows, columns, sheetName, progress);
    }
    std::unique_ptr<SpreadsheetDocument> openSpreadsheetFile(const QString& path,
                                                             const std::function<void(double)>& progress) override {
        return recorder_.openSpreadsheetFile(path, progress);
    }
    std::vector<QString> newDocumentSheetNames() override { return recorder_.newDocumentSheetNames(); }

private:
    std::unique_ptr<SpreadsheetConnection> connection_;
    RecordingOffice recorder_;
    std::shared_ptr<SpreadsheetDocument>& kept_;
};

} // namespace

// The whole way from the window to a real office: fill the list, press the button, read the document.
class OfficeImportTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<PrivateOffice> office_;
    std::shared_ptr<SpreadsheetDocument> document_;
    TextFiles files_;

private slots:
    void initTestCase() { office_ = std::make_unique<PrivateOffice>(); }
    void cleanupTestCase() { office_.reset(); }

    void pressingImportWritesTheListIntoANewDocument() {
        ImportJob job([this]() -> std::unique_ptr<SpreadsheetOffice> {
            return std::make_unique<RecordedConnection>(office_->connect(), document_);
        });
        testing::AnsweringPicker picker;
        Form1 form(job, picker, files_.dir().path());
        form.show();
        auto* list = qobject_cast<FileListModel*>(testing::findControl<FileListView>(form, u"ListView1"_qs)->model());
        list->append(files_.write(u"notes.txt"_qs, "x,y\nz\n"));
        list->append(files_.write(u"more/notes.txt"_qs, "0012,=1+2"));
        testing::findControl<QRadioButton>(form, u"Option6"_qs)->click();
        testing::findControl<QRadioButton>(form, u"Option3"_qs)->click();

        QTest::mouseClick(testing::findControl(form, u"Check2"_qs), Qt::LeftButton);
        QVERIFY(QGuiApplication::overrideCursor() != nullptr);
        QTRY_VERIFY_WITH_TIMEOUT(!job.isRunning() && QGuiApplication::overrideCursor() == nullptr, 60'000);

        QCOMPARE(testing::findControl<QProgressBar>(form, u"ProgressBar1"_qs)->value(), 0);
        QVERIFY(document_ != nullptr);
        const auto names = sheetNames(*document_);
        QCOMPARE(names.size(), 2u);
        QCOMPARE(names[1], u"notestxt"_qs);
        QVERIFY(names[0].startsWith(u"notestxt") && names[0] != u"notestxt");
        const testing::DocumentContents contents = testing::readDocument(*document_);
        using Rows = std::vector<std::vector<QString>>;
        QCOMPARE(contents[1].rows, (Rows{{u"x"_qs, u"y"_qs}, {u"z"_qs}}));
        QCOMPARE(contents[0].rows, (Rows{{u"0012"_qs, u"=1+2"_qs}}));
        QCOMPARE(contents[0].nonText, QString());
        QVERIFY(!inspect::hasLocation(*document_));
    }
};

QTEST_MAIN(OfficeImportTest)
#include "OfficeImportTest.moc"

#include "AnsweringPicker.h"
#include "BoxAnswerer.h"
#include "FindControl.h"
#include "app/Form1.h"
#include "filelist/FileListModel.h"
#include "filelist/FileListView.h"
#include "import/ImportJob.h"
#include "testsupport/FakeSpreadsheet.h"
#include "testsupport/TextFiles.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>

#include <atomic>
#include <fcntl.h>
#include <filesystem>
#include <semaphore>
#include <sys/stat.h>

using namespace quillmere;
using quillmere::testing::BoxAnswerer;
using quillmere::testing::FakeSpreadsheet;
using quillmere::testing::SeenBox;
using quillmere::testing::TextFiles;

namespace {

// The office of one run, writing into the shared fake that outlives it.
class HeldOffice final : public SpreadsheetOffice {
public:
    explicit HeldOffice(std::shared_ptr<FakeSpreadsheet> fake)
        : fake_(std::move(fake)) {}
    std::unique_ptr<SpreadsheetDocument> openNewDocument() override { return fake_->openNewDocument(); }
    std::unique_ptr<SpreadsheetDocument> openTextDocument(const QString& path, qint64 rows, qint64 columns,
                                                          const QString& sheetName,
                                                          const std::function<void(double)>& progress) override {
        return fake_->openTextDocument(path, rows, columns, sheetName, progress);
    }
    std::unique_ptr<SpreadsheetDocument> openSpreadsheetFile(const QString& path,
                                                             const std::function<void(double)>& progress) override {
        return fake_->openSpreadsheetFile(path, progress);
    }
    std::vector<QString> newDocumentSheetNames() override { return fake_->newDocumentSheetNames(); }

private:
    std::shared_ptr<FakeSpreadsheet> fake_;
};

int workFilesLeft() {
    return int(QDir::temp().entryList({QStringLiteral("quillmere-*")}, QDir::Files).size());
}

bool busy() {
    return QGuiApplication::overrideCursor() != nullptr;
}

} // namespace

class ImportButtonTest : public QObject {
    Q_OBJECT

private:
    std::shared_ptr<FakeSpreadsheet> fake_;
    std::atomic<int> connections_ = 0;
    std::binary_semaphore door_{1};
    bool doorShut_ = false;
    std::unique_ptr<ImportJob> job_;
    testing::AnsweringPicker picker_;
    std::unique_ptr<Form1> form_;
    TextFiles files_;

    template <typename Control = QWidget>
    Control* control(const char* name) const {
        return testing::findControl<Control>(*form_, QString::fromLatin1(name));
    }
    FileListModel& list() const { return *qobject_cast<FileListModel*>(control<FileListView>("ListView1")->model()); }
    void clickImport() const { QTest::mouseClick(control("Check2"), Qt::LeftButton); }
    void waitForTheEnd() const { QTRY_VERIFY_WITH_TIMEOUT(!busy() && !job_->isRunning(), 10000); }

    void shutTheDoor() {
        door_.acquire();
        doorShut_ = true;
    }
    void openTheDoor() {
        door_.release();
        doorShut_ = false;
    }

private slots:
    void init() {
        fake_ = std::make_shared<FakeSpreadsheet>();
        connections_ = 0;
        // Connecting waits while the door is shut, as a slow office would.
        job_ = std::make_unique<ImportJob>([this]() -> std::unique_ptr<SpreadsheetOffice> {
            ++connections_;
            door_.acquire();
            door_.release();
            return std::make_unique<HeldOffice>(fake_);
        });
        form_ = std::make_unique<Form1>(*job_, picker_, files_.dir().path());
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    }
    // A failed check must not leave the job waiting at the door: its end waits for the run.
    void cleanup() {
        if (doorShut_) {
            openTheDoor();
        }
        form_.reset();
        job_.reset();
    }

    void anEmptyListSaysSoOncePerClickAndStartsNothing() {
        const BoxAnswerer answerer;
        clickImport();
        QCOMPARE(answerer.seen.size(), 1u);
        const SeenBox& box = answerer.seen.front();
        QCOMPARE(box.title, QStringLiteral("Quillmere"));
        QCOMPARE(box.text, QStringLiteral("No files added."));
        QCOMPARE(box.icon, QMessageBox::NoIcon);
        QCOMPARE(box.buttons, 1);
        QVERIFY(!busy());
        QVERIFY(!control<QAbstractButton>("Check2")->isDown());

        clickImport();
        QCOMPARE(answerer.seen.size(), 2u);
        QCOMPARE(connections_, 0);
    }

    void theRunTakesTheListAndTheChoicesOfTheMoment_data() {
        QTest::addColumn<QString>("layoutOption");
        QTest::addColumn<QString>("ruleOption");
        QTest::addColumn<QString>("text1");
        QTest::addColumn<QStringList>("firstRow");
        const auto row = [](const char* name, const char* layout, const char* rule, const char* text1,
                            const QStringList& firstRow) {
            QTest::newRow(name) << QString::fromLatin1(layout) << QString::fromLatin1(rule)
                                << QString::fromLatin1(text1) << firstRow;
        };
        row("one sheet, no split", "Option5", "Option1", ",", {"a,b;c d"});
        row("per file, comma", "Option6", "Option3", "", {"a", "b;c d"});
        row("one sheet, typed text", "Option5", "Option4", ";", {"a,b", "c d"});
    }
    void theRunTakesTheListAndTheChoicesOfTheMoment() {
        QFETCH(QString, layoutOption);
        QFETCH(QString, ruleOption);
        QFETCH(QString, text1);
        QFETCH(QStringList, firstRow);
        list().append(files_.write(QStringLiteral("first.txt"), "a,b;c d\r\n"));
        list().append(files_.write(QStringLiteral("second.txt"), "e\r\n"));
        control<QRadioButton>(layoutOption.toLatin1())->click();
        control<QRadioButton>(ruleOption.toLatin1())->click();
        control<QLineEdit>("Text1")->setText(text1);
        QSignalSpy progress(control<QProgressBar>("ProgressBar1"), &QProgressBar::valueChanged);

        clickImport();
        QVERIFY(busy());
        waitForTheEnd();

        QCOMPARE(connections_, 1);
        const auto& sheets = fake_->lastDocument().sheets;
        const bool perFile = layoutOption == QStringLiteral("Option6");
        QCOMPARE(sheets.size(), perFile ? 2u : 1u);
        const auto& first = perFile ? sheets.back() : sheets.front();
        for (int column = 0; column < firstRow.size(); ++column) {
            QCOMPARE(first.at(column, 0), firstRow[column]);
        }
        QCOMPARE(first.at(firstRow.size(), 0), QString());
        QCOMPARE(perFile ? sheets.front().at(0, 0) : first.at(0, 1), QStringLiteral("e"));
        QVERIFY(!progress.isEmpty());
        QCOMPARE(progress.constLast().first().toInt(), 0);
        QVERIFY(std::any_of(progress.begin(), progress.end(), [](const QList<QVariant>& v) { return v[0] == 100; }));
        QCOMPARE(list().paths().size(), 2);
    }

    void whileRunningTheWaitPointerStaysTheButtonIsDeafAndTheListUsable() {
        list().append(files_.write(QStringLiteral("a.txt"), "a\r\n"));
        shutTheDoor();
        clickImport();
        QTRY_COMPARE(connections_.load(), 1);
        QVERIFY(busy());
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        clickImport();
        QTest::keyClick(control("Check2"), Qt::Key_Space);
        list().append(files_.write(QStringLiteral("b.txt"), "b\r\n"));
        QCOMPARE(list().paths().size(), 2);
        openTheDoor();
        waitForTheEnd();
        QCOMPARE(connections_, 1);
        QCOMPARE(fake_->documentsOpened(), 1);
        QCOMPARE(control<QProgressBar>("ProgressBar1")->value(), 0);
        QCOMPARE(control("Check2")->cursor().shape(), Qt::PointingHandCursor);
    }

    // The office holds the run in its first file when the window closes: the run ends there once the office
    // answers, and leaves no working file.
    void closingTheWindowStopsTheRunAtItsNextStep() {
        list().append(files_.write(QStringLiteral("a.txt"), "a\r\n"));
        list().append(files_.write(QStringLiteral("b.txt"), "b\r\n"));
        control<QRadioButton>("Option6")->click();
        const int before = workFilesLeft();
        std::binary_semaphore held{0};
        std::binary_semaphore released{0};
        fake_->beforeCall = [&](const QString& call) {
            if (call == u"insertSheet atxt") {
                held.release();
                released.acquire();
            }
        };
        // A failed check must not leave the run held: the job's end waits for it.
        bool releasedOnce = false;
        const auto release = [&] {
            if (!std::exchange(releasedOnce, true)) {
                released.release();
            }
        };
        const auto releaseOnExit = qScopeGuard(release);
        clickImport();
        held.acquire();

        form_->close();
        QVERIFY(!form_->isVisible());
        QVERIFY(!job_->waitUntilIdle(std::chrono::milliseconds(50)));
        release();
        QVERIFY(job_->waitUntilIdle(std::chrono::seconds(10)));

        const auto& sheets = fake_->lastDocument().sheets;
        QVERIFY(std::none_of(sheets.begin(), sheets.end(), [](const auto& s) { return s.name == u"btxt"; }));
        QCOMPARE(workFilesLeft(), before);
    }

    // Latin-1 names, as an old archive may hold: entered, listed with a replacement mark, read by their bytes and
    // named as sheets from what can be shown.
    void namesThatAreNotUtf8AreWalkedShownAndRead() {
        const QByteArray tree = QFile::encodeName(files_.dir().path()) + "/tree/";
        QVERIFY(QDir().mkpath(QFile::decodeName(tree)));
        // The temporary folder removes itself by names that are text, which these are not.
        const auto removeTree = qScopeGuard([&] { std::filesystem::remove_all(tree.toStdString()); });
        QVERIFY(mkdir(tree + "d\xE9j\xE0", 0700) == 0);
        const auto write = [](const QByteArray& path, const QByteArray& text) {
            QFile file(QFile::decodeName(path));
            const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
            return fd >= 0 && file.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle) &&
                   file.write(text) == text.size();
        };
        QVERIFY(write(tree + "caf\xE9.txt", "latin\r\n"));
        QVERIFY(write(tree + "plain.txt", "plain\r\n"));
        QVERIFY(write(tree + "d\xE9j\xE0/x.txt", "below\r\n"));
        picker_.folder = QFile::decodeName(tree);
        QTest::mouseClick(control("Check4"), Qt::LeftButton);
        QTRY_COMPARE(list().rowCount(), 3);

        const QList<FilePath> paths = list().paths();
        QCOMPARE(paths[0].bytes, tree + "caf\xE9.txt");
        QCOMPARE(paths[2].bytes, tree + "d\xE9j\xE0/x.txt");
        const auto shown = [this](int row) { return list().index(row).data().toString(); };
        QCOMPARE(shown(0), QString::fromUtf8(tree) + u"caf\uFFFD.txt"_qs);
        QCOMPARE(shown(2), QString::fromUtf8(tree) + u"d\uFFFDj\uFFFD/x.txt"_qs);

        control<QRadioButton>("Option6")->click();
        clickImport();
        waitForTheEnd();
        const auto& sheets = fake_->lastDocument().sheets;
        QCOMPARE(sheets.size(), 3u);
        QCOMPARE(sheets[2].name, QStringLiteral("caftxt"));
        QCOMPARE(sheets[2].at(0, 0), QStringLiteral("latin"));
        QCOMPARE(sheets[0].name, QStringLiteral("xtxt"));
        QCOMPARE(sheets[0].at(0, 0), QStringLiteral("below"));
    }

    void aFailureIsShownAsAWarningAfterTheWaitPointerEnds() {
        list().append(files_.path(QStringLiteral("<b>missing</b>.txt")));
        const BoxAnswerer answerer;
        clickImport();
        QTRY_COMPARE(answerer.seen.size(), 1u);
        const SeenBox& box = answerer.seen.front();
        QCOMPARE(box.title, QStringLiteral("Quillmere"));
        QCOMPARE(box.icon, QMessageBox::Warning);
        QVERIFY2(box.text.contains(QStringLiteral("<b>missing</b>.txt")), qPrintable(box.text));
        QCOMPARE(box.format, Qt::PlainText);
        QVERIFY(!box.waitPointer);
        waitForTheEnd();
        QCOMPARE(connections_, 0);
        QCOMPARE(control<QProgressBar>("ProgressBar1")->value(), 0);
    }
};

QTEST_MAIN(ImportButtonTest)
#include "ImportButtonTest.moc"

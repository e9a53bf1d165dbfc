#include "AnsweringPicker.h"
#include "BoxAnswerer.h"
#include "FindControl.h"
#include "app/Form1.h"
#include "filelist/FileListModel.h"
#include "filelist/FileListView.h"
#include "import/ImportJob.h"
#include "testsupport/TextFiles.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QUrl>

using namespace quillmere;
using quillmere::testing::AnsweringPicker;
using quillmere::testing::BoxAnswerer;
using quillmere::testing::TextFiles;

namespace {

bool busy() {
    return QGuiApplication::overrideCursor() != nullptr;
}

} // namespace

class FillingTheListTest : public QObject {
    Q_OBJECT

private:
    int connections_ = 0;
    ImportJob job_{[this] {
        ++connections_;
        return std::unique_ptr<SpreadsheetOffice>();
    }};
    AnsweringPicker picker_;
    TextFiles files_;
    std::unique_ptr<Form1> form_;

    QWidget* control(const char* name) const { return testing::findControl(*form_, QString::fromLatin1(name)); }
    FileListModel& list() const { return *qobject_cast<FileListModel*>(view().model()); }
    FileListView& view() const { return *qobject_cast<FileListView*>(control("ListView1")); }
    void click(const char* button) const { QTest::mouseClick(control(button), Qt::LeftButton); }
    QString root() const { return files_.dir().path() + u'/'; }

private slots:
    void init() {
        picker_ = AnsweringPicker();
        form_ = std::make_unique<Form1>(job_, picker_, files_.dir().path());
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
        list().append(QStringLiteral("/listed/before.txt"));
    }
    void cleanup() { form_.reset(); }

    void theFileDialogAddsThePickedPathsAtTheBottom_data() {
        QTest::addColumn<QStringList>("pick");
        QTest::addColumn<QStringList>("added");
        QTest::newRow("cancel") << QStringList() << QStringList();
        QTest::newRow("one file") << QStringList{"/data/a.txt"} << QStringList{"/data/a.txt"};
        QTest::newRow("three files") << QStringList{"/data", "c.txt", "a.txt", "b.log"}
                                     << QStringList{"/data/c.txt", "/data/a.txt", "/data/b.log"};
        QTest::newRow("root folder") << QStringList{"/", "a.txt", "b.txt"} << QStringList{"/a.txt", "/b.txt"};
        QTest::newRow("typed from elsewhere")
            << QStringList{"/data", "a.txt", "/other/b.txt"} << QStringList{"/data/a.txt", "/other/b.txt"};
        QTest::newRow("already listed") << QStringList{"/listed/before.txt"} << QStringList{"/listed/before.txt"};
    }
    void theFileDialogAddsThePickedPathsAtTheBottom() {
        QFETCH(QStringList, pick);
        QFETCH(QStringList, added);
        picker_.files = pick;
        click("Check1");
        QCOMPARE(picker_.asked, 1);
        QCOMPARE(picker_.title, QStringLiteral("Add File(s) - Use Ctrl & Shift to select multiple files"));
        QCOMPARE(picker_.filters, QStringList({"Text Files (*.txt)", "All Files (*)"}));
        QCOMPARE(ShownPaths(list().paths()), QStringList{"/listed/before.txt"} + added);
        QVERIFY(!busy());
    }

    void cancellingTheFolderChooserChangesNothing() {
        click("Check4");
        QCOMPARE(picker_.title, QStringLiteral("Please select folder to add:"));
        QVERIFY(!busy());
        QCOMPARE(list().rowCount(), 1);
    }

    // Until the walk's rows are in, a second walk or an import would work on a list that is still to change.
    void aFolderWalkAddsItsRowsWhenDoneAndHoldsOffAnotherWalkOrAnImport() {
        files_.write(QStringLiteral("tree/b.txt"), "b");
        files_.write(QStringLiteral("tree/sub/c.txt"), "c");
        files_.write(QStringLiteral("tree/a.txt"), "a");
        picker_.folder = root() + "tree";
        click("Check4");
        QVERIFY(busy());
        click("Check4");
        click("Check2");
        QCOMPARE(picker_.asked, 1);
        QTRY_VERIFY(!busy());
        QCOMPARE(ShownPaths(list().paths()), QStringList({"/listed/before.txt", root() + "tree/a.txt",
                                                          root() + "tree/b.txt", root() + "tree/sub/c.txt"}));
        QCOMPARE(connections_, 0);
        QVERIFY(!job_.isRunning());

        click("Check4");
        QTRY_VERIFY(!busy());
        QCOMPARE(list().rowCount(), 7);
    }

    void aFolderThatCannotBeReadIsNamedInOneWarning() {
        picker_.folder = root() + "gone";
        const BoxAnswerer answerer;
        click("Check4");
        QTRY_COMPARE(answerer.seen.size(), 1u);
        QCOMPARE(answerer.seen.front().title, QStringLiteral("Quillmere"));
        QCOMPARE(answerer.seen.front().icon, QMessageBox::Warning);
        QVERIFY2(answerer.seen.front().text.contains(root() + "gone/"), qPrintable(answerer.seen.front().text));
        QVERIFY(!answerer.seen.front().waitPointer);
        QVERIFY(!busy());
        QCOMPARE(list().rowCount(), 1);
    }

    void droppedFilesGoToTheBottomInTheirOrder() {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile("/data/z.txt"), QUrl::fromLocalFile("/data/folder")});
        QWidget* surface = view().viewport();
        QDragEnterEvent enter({20, 20}, Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(surface, &enter);
        QDropEvent drop({20, 20}, Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(surface, &drop);
        QCOMPARE(ShownPaths(list().paths()), QStringList({"/listed/before.txt", "/data/z.txt", "/data/folder"}));
    }
};

QTEST_MAIN(FillingTheListTest)
#include "FillingTheListTest.moc"

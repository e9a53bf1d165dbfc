#include "filelist/FileListView.h"

#include "filelist/FileListModel.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

using namespace quillmere;

class FileListViewTest : public QObject {
    Q_OBJECT

private:
    FileListModel* model_ = nullptr;
    std::unique_ptr<FileListView> view_;

    void fill(const QStringList& paths) {
        for (const QString& path : paths) {
            model_->append(path);
        }
    }
    QPoint rowCentre(int row) const { return view_->visualRect(model_->index(row)).center(); }
    void doubleClick(QPoint where) { QTest::mouseDClick(view_->viewport(), Qt::LeftButton, {}, where); }
    void doubleClickRow(int row) {
        QTest::mouseClick(view_->viewport(), Qt::LeftButton, {}, rowCentre(row));
        doubleClick(rowCentre(row));
    }
    QPoint belowTheRows() const { return {10, view_->viewport()->height() - 5}; }

private slots:
    void init() {
        view_ = std::make_unique<FileListView>();
        model_ = new FileListModel(view_.get());
        view_->setModel(model_);
        view_->resize(425, 105);
        view_->show();
        QVERIFY(QTest::qWaitForWindowExposed(view_.get()));
    }
    void cleanup() { view_.reset(); }

    void appendsAtTheBottomKeepingRepeatsAndAnyText() {
        fill({"/data/b.txt", "/data/a.txt", "/data/b.txt", "not a path at all", "/data/folder"});
        QCOMPARE(model_->paths(),
                 QStringList({"/data/b.txt", "/data/a.txt", "/data/b.txt", "not a path at all", "/data/folder"}));
        QCOMPARE(model_->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Text File(s)"));
        QVERIFY(view_->selectionModel()->selectedRows().isEmpty());
    }

    void longPathIsStoredWholeAndShownWholeWhenTheColumnIsWidened() {
        const QString path = "/data/" + QString(300, u'x') + "/end.txt";
        fill({path});
        QCOMPARE(model_->paths().first(), path);
        view_->setColumnWidth(0, 100);
        QCOMPARE(view_->horizontalScrollBar()->maximum(), 0);
        view_->resizeColumnToContents(0);
        QVERIFY(view_->columnWidth(0) > view_->fontMetrics().horizontalAdvance(path));
        QTRY_VERIFY(view_->horizontalScrollBar()->maximum() > 0);
        view_->horizontalScrollBar()->setValue(view_->horizontalScrollBar()->maximum());
        QVERIFY(view_->header()->sectionViewportPosition(0) < 0);
    }

    void doubleClickRemovesTheMiddleRowOnly() {
        fill({"/1", "/2", "/3", "/4"});
        doubleClickRow(1);
        QCOMPARE(model_->paths(), QStringList({"/1", "/3", "/4"}));
    }

    void doubleClickOnTheOnlyRowLeavesAnEmptyList() {
        fill({"/only"});
        doubleClickRow(0);
        QCOMPARE(model_->rowCount(), 0);
    }

    void doubleClickWithoutSelectionOrRowsDoesNothing() {
        doubleClick(belowTheRows());
        QCOMPARE(model_->rowCount(), 0);

        fill({"/1", "/2"});
        QSignalSpy removed(model_, &QAbstractItemModel::rowsRemoved);
        doubleClick(belowTheRows());
        QCOMPARE(model_->rowCount(), 2);
        QCOMPARE(removed.count(), 0);
    }

    void doubleClickBelowTheRowsRemovesTheSelectedRow() {
        fill({"/1", "/2", "/3"});
        QTest::mouseClick(view_->viewport(), Qt::LeftButton, {}, rowCentre(2));
        doubleClick(belowTheRows());
        QCOMPARE(model_->paths(), QStringList({"/1", "/2"}));
    }
};

QTEST_MAIN(FileListViewTest)
#include "FileListViewTest.moc"

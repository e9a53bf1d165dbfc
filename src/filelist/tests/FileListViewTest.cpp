#include "filelist/FileListView.h"

#include "filelist/FileListModel.h"

#include <QHeaderView>
#include <QMimeData>
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

    QWidget* surface() const { return view_->viewport(); }
    void press(QPoint where) { QTest::mousePress(surface(), Qt::LeftButton, {}, where); }
    void moveTo(QPoint where) { QTest::mouseMove(surface(), where); }
    void release(QPoint where) { QTest::mouseRelease(surface(), Qt::LeftButton, {}, where); }
    int selectedRow() const {
        const QModelIndexList rows = view_->selectionModel()->selectedRows();
        return rows.size() == 1 ? rows.first().row() : -1;
    }

    // Sends one drag-and-drop over the list and tells whether the list took it; what it offers is spied.
    bool drop(const QMimeData& data) {
        const QPoint at = rowCentre(0).isNull() ? QPoint(20, 20) : rowCentre(0);
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(surface(), &enter);
        QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(surface(), &dropped);
        return enter.isAccepted() && dropped.isAccepted();
    }
    static std::unique_ptr<QMimeData> urls(const QList<QUrl>& addresses) {
        auto data = std::make_unique<QMimeData>();
        data->setUrls(addresses);
        return data;
    }

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

    void longPathIsStoredWholeAndShownWholeWhenTheColumnIsWidened() {
        const QString path = "/data/" + QString(300, u'x') + "/end.txt";
        fill({path});
        QCOMPARE(ShownPaths(model_->paths()).first(), path);
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
        QCOMPARE(ShownPaths(model_->paths()), QStringList({"/1", "/3", "/4"}));
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
        QCOMPARE(ShownPaths(model_->paths()), QStringList({"/1", "/2"}));
    }

    void dropsOfLocalFilesAndFoldersGiveTheirPathsInOrder() {
        QSignalSpy dropped(view_.get(), &FileListView::pathsDropped);
        QVERIFY(drop(*urls({QUrl::fromLocalFile("/data/c.txt"), QUrl::fromLocalFile("/data/a b.txt"),
                            QUrl::fromLocalFile("/data/folder")})));
        QCOMPARE(dropped.size(), 1);
        QCOMPARE(dropped.first().first().toStringList(), QStringList({"/data/c.txt", "/data/a b.txt", "/data/folder"}));
    }

    void textRemoteAddressesAndDropsAfterARowClickAreRefused() {
        QSignalSpy dropped(view_.get(), &FileListView::pathsDropped);
        QMimeData text;
        text.setText(QStringLiteral("/data/a.txt"));
        QVERIFY(!drop(text));
        QVERIFY(!drop(*urls({QUrl::fromLocalFile("/data/a.txt"), QUrl("https://example.org/b.txt")})));
        QVERIFY(view_->acceptDrops());

        fill({"/1"});
        QTest::mouseClick(surface(), Qt::LeftButton, {}, rowCentre(0));
        QVERIFY(!view_->acceptDrops());
        QVERIFY(!drop(*urls({QUrl::fromLocalFile("/data/a.txt")})));
        QCOMPARE(dropped.size(), 0);
    }

    void draggingSlowlyCarriesThePathDownRowByRow() {
        fill({"A", "B", "C"});
        press(rowCentre(0));
        moveTo(rowCentre(1));
        moveTo(rowCentre(2));
        release(rowCentre(2));
        QCOMPARE(ShownPaths(model_->paths()), QStringList({"B", "C", "A"}));
        QCOMPARE(selectedRow(), 2);
    }

    void aJumpExchangesOnlyTheTwoRowsAndMovesAfterReleaseDoNothing() {
        fill({"A", "B", "C", "D", "E"});
        view_->resize(425, 400);
        press(rowCentre(0));
        moveTo(rowCentre(4));
        release(rowCentre(4));
        QCOMPARE(ShownPaths(model_->paths()), QStringList({"E", "B", "C", "D", "A"}));
        moveTo(rowCentre(1));
        QCOMPARE(ShownPaths(model_->paths()), QStringList({"E", "B", "C", "D", "A"}));
    }

    void equalPathsAreNeverExchangedAndTheDragGoesOnFromTheSameRow() {
        fill({"A", "A", "B"});
        press(rowCentre(0));
        moveTo(rowCentre(1));
        QCOMPARE(ShownPaths(model_->paths()), QStringList({"A", "A", "B"}));
        QCOMPARE(selectedRow(), 0);
        moveTo(rowCentre(2));
        release(rowCentre(2));
        QCOMPARE(ShownPaths(model_->paths()), QStringList({"B", "A", "A"}));
    }

    void aPressOnTheEmptyAreaDragsTheRowClickedLastAndNothingBeforeAnyClick() {
        fill({"A", "B", "C"});
        view_->resize(425, 400);
        press(belowTheRows());
        moveTo(rowCentre(1));
        release(rowCentre(1));
        QCOMPARE(ShownPaths(model_->paths()), QStringList({"A", "B", "C"}));

        QTest::mouseClick(surface(), Qt::LeftButton, {}, rowCentre(2));
        press(belowTheRows());
        moveTo(rowCentre(0));
        release(rowCentre(0));
        QCOMPARE(ShownPaths(model_->paths()), QStringList({"C", "B", "A"}));
    }

    void aRemovedRowIsNotDraggedLater() {
        fill({"A", "B", "C"});
        doubleClickRow(2);
        press(belowTheRows());
        moveTo(rowCentre(0));
        release(rowCentre(0));
        QCOMPARE(ShownPaths(model_->paths()), QStringList({"A", "B"}));
    }

    void thePointerShowsTheDragPictureFromTheRowClickToTheRelease() {
        view_->setDragPointer(QCursor(Qt::ClosedHandCursor));
        fill({"A"});
        press(rowCentre(0));
        QCOMPARE(surface()->cursor().shape(), Qt::ClosedHandCursor);
        release(rowCentre(0));
        QCOMPARE(surface()->cursor().shape(), Qt::ArrowCursor);
    }

    // Twenty rows in a list showing a few: the third of the list the pointer is in decides the scrolling.
    void anExchangeNearTheTopOrBottomBringsTheNextRowIntoView() {
        QStringList rows;
        for (int i = 0; i < 20; ++i) {
            rows << QString::number(i);
        }
        fill(rows);
        const int height = surface()->height();
        QScrollBar& bar = *view_->verticalScrollBar();
        const auto dragOneRow = [&](int from, int to) {
            QTest::mouseClick(surface(), Qt::LeftButton, {}, rowCentre(from));
            press(rowCentre(from));
            moveTo(rowCentre(to));
            release(rowCentre(to));
        };
        const auto third = [&](int row) { return 3 * rowCentre(row).y() / height; };

        const int bottom = view_->indexAt({10, height - 2}).row();
        QCOMPARE(third(bottom), 2);
        dragOneRow(bottom - 1, bottom);
        QVERIFY(bar.value() > 0);

        bar.setValue(5);
        int middle = 5;
        while (third(middle) != 1) {
            ++middle;
        }
        dragOneRow(middle + 1, middle);
        QCOMPARE(bar.value(), 5);

        QCOMPARE(third(5), 0);
        dragOneRow(6, 5);
        QCOMPARE(bar.value(), 4);

        bar.setValue(0);
        dragOneRow(1, 0);
        QCOMPARE(bar.value(), 0);
    }
};

QTEST_MAIN(FileListViewTest)
#include "FileListViewTest.moc"

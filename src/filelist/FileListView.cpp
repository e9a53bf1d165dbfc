#include "filelist/FileListView.h"

#include "filelist/DroppedFiles.h"

#include <QDragEnterEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>

#include <algorithm>

namespace quillmere::filelist {

namespace {

// Two moves exchange the rows and keep those between them in place: the upper row down into the lower one's place,
// then the lower one up into the place left.
void exchangeRows(QAbstractItemModel& model, int row, int other) {
    const int upper = std::min(row, other);
    const int lower = std::max(row, other);
    model.moveRow({}, upper, {}, lower + 1);
    if (lower - 1 > upper) {
        model.moveRow({}, lower - 1, {}, upper);
    }
}

} // namespace

FileListView::FileListView(QWidget* parent)
    : QTreeView(parent) {
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setEditTriggers(NoEditTriggers);
    setSelectionMode(SingleSelection);
    setSelectionBehavior(SelectRows);
    setHorizontalScrollMode(ScrollPerPixel);
    setDragEnabled(false);
    setAcceptDrops(true);
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(QHeaderView::Interactive);
    header()->setSectionsMovable(false);
}

void FileListView::mousePressEvent(QMouseEvent* event) {
    QTreeView::mousePressEvent(event);
    if (indexAt(event->position().toPoint()).isValid()) {
        rowClicked();
    }
    dragging_ = true;
}

// The rows move by exchange only: the view's own drag-selecting would select rows the path never reached.
void FileListView::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_) {
        QTreeView::mouseMoveEvent(event);
        return;
    }
    dragOver(event->position().toPoint());
    event->accept();
}

void FileListView::mouseReleaseEvent(QMouseEvent* event) {
    QTreeView::mouseReleaseEvent(event);
    dragging_ = false;
    viewport()->setCursor(Qt::ArrowCursor);
}

// The first click of a double-click has already selected the row under it, so the selection is the row meant.
void FileListView::mouseDoubleClickEvent(QMouseEvent* event) {
    removeSelectedRow();
    event->accept();
}

void FileListView::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const int key = event->key();
    if (modifiers == Qt::NoModifier && (key == Qt::Key_Delete || key == Qt::Key_Backspace)) {
        removeSelectedRow();
    } else if (modifiers == Qt::AltModifier && (key == Qt::Key_Up || key == Qt::Key_Down)) {
        moveSelectedRow(key == Qt::Key_Up ? -1 : 1);
    } else {
        QTreeView::keyPressEvent(event);
        return;
    }
    event->accept();
}

QModelIndex FileListView::selectedRow() const {
    const QModelIndexList selected = selectionModel() ? selectionModel()->selectedRows() : QModelIndexList{};
    return selected.isEmpty() ? QModelIndex() : selected.first();
}

// The view makes the next row the current one, so that removing again goes on down the list.
void FileListView::removeSelectedRow() {
    if (const QModelIndex row = selectedRow(); row.isValid()) {
        model()->removeRow(row.row());
    }
}

// Moving a row from the keyboard starts the ordering as a row click does. Unlike the pointer, it also passes a row
// with the same path: the keys could not take the path beyond it otherwise.
void FileListView::moveSelectedRow(int step) {
    const QModelIndex row = selectedRow();
    if (!row.isValid()) {
        return;
    }
    startOrdering();
    if (const QModelIndex other = row.sibling(row.row() + step, 0); other.isValid()) {
        exchange(row, other);
        scrollTo(other);
    }
}

void FileListView::rowClicked() {
    if (dragPointer_) {
        viewport()->setCursor(*dragPointer_);
    }
    startOrdering();
    dragItem_ = currentIndex();
}

// Once the user has started ordering the list, files dropped by mistake would land among the ordered rows.
void FileListView::startOrdering() {
    dropsAccepted_ = false;
    setAcceptDrops(false);
}

void FileListView::dragOver(QPoint at) {
    const QModelIndex hit = rowAt(at);
    if (!hit.isValid() || !dragItem_.isValid()) {
        return;
    }
    // The whole path moves, bytes and all: two rows may show the same text for different files.
    if (dragItem_.data(Qt::EditRole) == hit.data(Qt::EditRole)) {
        return;
    }
    exchange(dragItem_, hit);
    bringNeighbourIntoView(at, hit.row());
}

// The dragged path goes to the other row, which is selected and dragged on from there.
void FileListView::exchange(const QModelIndex& dragged, const QModelIndex& other) {
    exchangeRows(*model(), dragged.row(), other.row());
    const QModelIndex moved = model()->index(other.row(), 0);
    selectionModel()->setCurrentIndex(moved, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    dragItem_ = moved;
}

// The upper third of the visible rows scrolls up, the lower third down, the middle third stays.
void FileListView::bringNeighbourIntoView(QPoint at, int row) {
    const int height = viewport()->height();
    if (3 * at.y() < height && row > 0) {
        scrollTo(model()->index(row - 1, 0));
    } else if (3 * at.y() >= 2 * height && row + 1 < model()->rowCount()) {
        scrollTo(model()->index(row + 1, 0));
    }
}

// The row at the pointer's height, also where the pointer is right of the column's end.
QModelIndex FileListView::rowAt(QPoint at) const {
    const int left = columnViewportPosition(0);
    const int right = left + std::max(1, columnWidth(0)) - 1;
    return indexAt({std::clamp(at.x(), left, right), at.y()});
}

void FileListView::dragEnterEvent(QDragEnterEvent* event) {
    dragMoveEvent(event);
}

void FileListView::dragMoveEvent(QDragMoveEvent* event) {
    if (dropsAccepted_ && droppedFiles(*event->mimeData())) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void FileListView::dropEvent(QDropEvent* event) {
    const auto paths = dropsAccepted_ ? droppedFiles(*event->mimeData()) : std::nullopt;
    if (!paths) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    emit pathsDropped(*paths);
}

} // namespace quillmere::filelist

#include "filelist/FileListView.h"

#include "filelist/DroppedFiles.h"

#include <QDragEnterEvent>
#include <QHeaderView>
#include <QMimeData>
#include <QMouseEvent>

#include <algorithm>

namespace quillmere {

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
    const QModelIndexList selected = selectionModel() ? selectionModel()->selectedRows() : QModelIndexList{};
    if (!selected.isEmpty()) {
        model()->removeRow(selected.first().row());
    }
    event->accept();
}

// Once the user has started ordering the list, files dropped by mistake would land among the ordered rows.
void FileListView::rowClicked() {
    if (dragPointer_) {
        viewport()->setCursor(*dragPointer_);
    }
    dropsAccepted_ = false;
    setAcceptDrops(false);
    dragItem_ = currentIndex();
}

void FileListView::dragOver(QPoint at) {
    const QModelIndex hit = rowAt(at);
    if (!hit.isValid() || !dragItem_.isValid()) {
        return;
    }
    // The whole path moves, bytes and all: two rows may show the same text for different files.
    const QVariant dragged = dragItem_.data(Qt::EditRole);
    const QVariant other = hit.data(Qt::EditRole);
    if (dragged == other) {
        return;
    }
    model()->setData(dragItem_, other);
    model()->setData(hit, dragged);
    selectionModel()->setCurrentIndex(hit, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    dragItem_ = hit;
    bringNeighbourIntoView(at, hit.row());
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
    if (dropsAccepted_ && DroppedFiles(*event->mimeData())) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void FileListView::dropEvent(QDropEvent* event) {
    const auto paths = dropsAccepted_ ? DroppedFiles(*event->mimeData()) : std::nullopt;
    if (!paths) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    emit pathsDropped(*paths);
}

} // namespace quillmere

#include "filelist/FileListView.h"

#include <QHeaderView>
#include <QMouseEvent>

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
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(QHeaderView::Interactive);
    header()->setSectionsMovable(false);
}

// The first click of a double-click has already selected the row under it, so the selection is the row meant.
void FileListView::mouseDoubleClickEvent(QMouseEvent* event) {
    const QModelIndexList selected = selectionModel() ? selectionModel()->selectedRows() : QModelIndexList{};
    if (!selected.isEmpty()) {
        model()->removeRow(selected.first().row());
    }
    event->accept();
}

} // namespace quillmere

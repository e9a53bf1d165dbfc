#pragma once

#include <QCursor>
#include <QPersistentModelIndex>
#include <QTreeView>

#include <optional>

namespace quillmere::filelist {

// The file list on screen: one column under a header the user can widen past the list's edge, so that long
// paths can be read whole by scrolling sideways. A double-click anywhere, Delete or Backspace removes the selected
// row. Local files dragged from a file manager are offered as dropped paths until the first row is clicked or moved.
// With the button held, the path of the row clicked last follows the pointer by exchanging places with the row under
// it; Alt+Up and Alt+Down move the selected row one place.
class FileListView : public QTreeView {
    Q_OBJECT

public:
    explicit FileListView(QWidget* parent = nullptr);

    // The list's pointer from the first row click on; without one the pointer stays as it was.
    void setDragPointer(const QCursor& pointer) { dragPointer_ = pointer; }

signals:
    void pathsDropped(const QStringList& paths);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QModelIndex selectedRow() const;
    void removeSelectedRow();
    void moveSelectedRow(int step);
    void rowClicked();
    void startOrdering();
    void dragOver(QPoint at);
    void exchange(const QModelIndex& dragged, const QModelIndex& other);
    void bringNeighbourIntoView(QPoint at, int row);
    QModelIndex rowAt(QPoint at) const;

    bool dropsAccepted_ = true;
    bool dragging_ = false;
    // Forgotten by itself when its row is removed.
    QPersistentModelIndex dragItem_;
    std::optional<QCursor> dragPointer_;
};

} // namespace quillmere::filelist

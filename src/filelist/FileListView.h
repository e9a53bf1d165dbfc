#pragma once

#include <QTreeView>

namespace quillmere {

// The file list on screen: one column under a header the user can widen past the list's edge, so that long
// paths can be read whole by scrolling sideways. A double-click anywhere removes the selected row.
class FileListView : public QTreeView {
    Q_OBJECT

public:
    explicit FileListView(QWidget* parent = nullptr);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

} // namespace quillmere

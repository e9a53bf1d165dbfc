#pragma once

#include "base/FilePath.h"

#include <QAbstractListModel>
#include <QStringList>

namespace quillmere::filelist {

// The files to import, top to bottom in import order. Paths are kept exactly as given, as the file system's bytes
// beside the text shown for them: repeats are allowed and nothing is checked against the file system.
class FileListModel : public QAbstractListModel {
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    // A new row at the bottom; the other rows keep their places.
    void append(const QString& path);
    // New rows at the bottom in the given order, in one step however many.
    void append(const QStringList& paths);
    void append(const QList<FilePath>& paths);
    QList<FilePath> paths() const { return paths_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    // The display role gives the path's text, the edit role the FilePath itself.
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool moveRows(const QModelIndex& sourceParent, int sourceRow, int count, const QModelIndex& destinationParent,
                  int destinationChild) override;
    bool removeRows(int row, int count, const QModelIndex& parent = {}) override;

private:
    QList<FilePath> paths_;
};

} // namespace quillmere::filelist

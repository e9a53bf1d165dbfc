#include "filelist/FileListModel.h"

#include <algorithm>

namespace quillmere::filelist {

void FileListModel::append(const QString& path) {
    append(QList<FilePath>{path});
}

void FileListModel::append(const QStringList& paths) {
    append(filePaths(paths));
}

void FileListModel::append(const QList<FilePath>& paths) {
    if (paths.isEmpty()) {
        return;
    }
    const int first = int(paths_.size());
    beginInsertRows({}, first, first + int(paths.size()) - 1);
    paths_.append(paths);
    endInsertRows();
}

int FileListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(paths_.size());
}

QVariant FileListModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid)) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return paths_.at(index.row()).shown;
    }
    if (role == Qt::EditRole) {
        return QVariant::fromValue(paths_.at(index.row()));
    }
    return {};
}

QVariant FileListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (section != 0 || orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return {};
    }
    return tr("Text File(s)");
}

bool FileListModel::moveRows(const QModelIndex& sourceParent, int sourceRow, int count,
                             const QModelIndex& destinationParent, int destinationChild) {
    if (sourceParent.isValid() || destinationParent.isValid() || count <= 0 || sourceRow < 0 ||
        sourceRow + count > paths_.size() || destinationChild < 0 || destinationChild > paths_.size()) {
        return false;
    }
    // Refuses a move onto the rows' own place.
    if (!beginMoveRows({}, sourceRow, sourceRow + count - 1, {}, destinationChild)) {
        return false;
    }
    const auto first = paths_.begin() + sourceRow;
    const auto last = first + count;
    const auto destination = paths_.begin() + destinationChild;
    if (destinationChild > sourceRow) {
        std::rotate(first, last, destination);
    } else {
        std::rotate(destination, first, last);
    }
    endMoveRows();
    return true;
}

bool FileListModel::removeRows(int row, int count, const QModelIndex& parent) {
    if (parent.isValid() || count <= 0 || row < 0 || row + count > paths_.size()) {
        return false;
    }
    beginRemoveRows({}, row, row + count - 1);
    paths_.remove(row, count);
    endRemoveRows();
    return true;
}

} // namespace quillmere::filelist

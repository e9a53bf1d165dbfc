#include "filelist/FileListModel.h"

namespace quillmere {

void FileListModel::append(const QString& path) {
    const int row = int(paths_.size());
    beginInsertRows({}, row, row);
    paths_.append(path);
    endInsertRows();
}

int FileListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(paths_.size());
}

QVariant FileListModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid) || role != Qt::DisplayRole) {
        return {};
    }
    return paths_.at(index.row());
}

QVariant FileListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (section != 0 || orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return {};
    }
    return tr("Text File(s)");
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

} // namespace quillmere

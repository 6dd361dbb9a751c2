#include "RowModel.h"

namespace framework {

int RowModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : Count();
}

QVariant RowModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= Count()) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return Rows.at(index.row());
    }
    return {};
}

void RowModel::Insert(int position, const QStringList& texts)
{
    if (texts.isEmpty()) {
        return;
    }
    beginInsertRows({}, position, position + static_cast<int>(texts.size()) - 1);
    for (qsizetype offset = 0; offset < texts.size(); ++offset) {
        Rows.insert(position + offset, texts[offset]);
    }
    endInsertRows();
}

} // namespace framework

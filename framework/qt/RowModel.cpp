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

void RowModel::Append(const QStringList& texts)
{
    if (texts.isEmpty()) {
        return;
    }
    beginInsertRows({}, Count(), Count() + static_cast<int>(texts.size()) - 1);
    Rows.append(texts);
    endInsertRows();
}

void RowModel::Insert(int position, const QString& text)
{
    beginInsertRows({}, position, position);
    Rows.insert(position, text);
    endInsertRows();
}

} // namespace framework

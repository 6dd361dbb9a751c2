#include "RowModel.h"

namespace framework::qt {

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

void RowModel::Insert(int position, std::span<const std::string_view> texts)
{
    if (texts.empty()) {
        return;
    }
    beginInsertRows({}, position, position + static_cast<int>(texts.size()) - 1);
    for (const std::string_view text : texts) {
        Rows.insert(position++,
                    QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    }
    endInsertRows();
}

} // namespace framework::qt

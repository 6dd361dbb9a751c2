#pragma once

#include <QAbstractListModel>
#include <QList>
#include <QString>
#include <span>
#include <string_view>

namespace framework::qt {

// The rows of one list column: plain texts, shown exactly as stored.
class RowModel final : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // Reported to the view as one insertion, however many rows.
    void Insert(int position, std::span<const std::string_view> texts);
    const QString& Text(int row) const { return Rows.at(row); }
    int Count() const { return static_cast<int>(Rows.size()); }

private:
    QList<QString> Rows;
};

} // namespace framework::qt

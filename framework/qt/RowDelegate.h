#pragma once

#include <QAbstractItemDelegate>

namespace framework::qt {

// Draws a row as the style draws an item view's row background (selection, focus, hover), with
// its text on top in one call. The style's full item drawing asks the model for a dozen roles
// and lays out icon, check box and decoration for every row, none of which these rows have.
class RowDelegate final : public QAbstractItemDelegate {
public:
    using QAbstractItemDelegate::QAbstractItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

} // namespace framework::qt

#include "RowDelegate.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

namespace framework::qt {
namespace {

// Space left and right of a row's text, and above and below it.
constexpr int TextMargin = 3;
constexpr int LinePadding = 1;

} // namespace

void RowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const
{
    const QWidget* widget = option.widget;
    QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
    QStyleOptionViewItem row = option;
    row.viewItemPosition = QStyleOptionViewItem::OnlyOne;
    row.features = QStyleOptionViewItem::HasDisplay;
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &row, painter, widget);

    const bool enabled = option.state.testFlag(QStyle::State_Enabled);
    const bool active = option.state.testFlag(QStyle::State_Active);
    QPalette::ColorGroup group = active ? QPalette::Active : QPalette::Inactive;
    if (!enabled) {
        group = QPalette::Disabled;
    }
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    painter->setPen(
        option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    painter->setFont(option.font);
    painter->drawText(option.rect.adjusted(TextMargin, 0, -TextMargin, 0),
                      Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                      index.data(Qt::DisplayRole).toString());

    if (option.state.testFlag(QStyle::State_HasFocus)) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.backgroundColor =
            option.palette.color(group, selected ? QPalette::Highlight : QPalette::Base);
        style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
    }
}

QSize RowDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const QFontMetrics& metrics = option.fontMetrics;
    return {metrics.horizontalAdvance(index.data(Qt::DisplayRole).toString()) + (2 * TextMargin),
            metrics.height() + (2 * LinePadding)};
}

} // namespace framework::qt

#include "ListBox.h"

#include "ListBoxAccessible.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionFocusRect>

namespace framework {
namespace {

// Space left and right of a row's text, and above and below it.
constexpr int TextMargin = 3;
constexpr int LinePadding = 1;

} // namespace

// While code changes a list, what the list does in consequence is not the user's doing.
class ListBox::CodeWrite {
public:
    explicit CodeWrite(ListBox& list) : List(list) { ++List.CodeWriteDepth; }
    ~CodeWrite() { --List.CodeWriteDepth; }
    CodeWrite(const CodeWrite&) = delete;
    CodeWrite& operator=(const CodeWrite&) = delete;

private:
    ListBox& List;
};

ListBox::ListBox(const QString& name, QWidget* parent) : QAbstractScrollArea(parent)
{
    setObjectName(name);
    // A click on the scroll bar must not take the focus (scrolling never moves it), so the list
    // takes it itself when a row is pressed; Tab still reaches it.
    setFocusPolicy(Qt::TabFocus);
    // Every column holds more rows than it shows; a bar that never comes or goes keeps the
    // text width the same from the first layout on.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    viewport()->setBackgroundRole(QPalette::Base);
    verticalScrollBar()->setSingleStep(1);
    LineHeight = fontMetrics().height() + 2 * LinePadding;
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] {
        if (CodeWriteDepth == 0) {
            Raise(Event::Scroll);
        }
    });
    InstallListBoxAccessibility();
}

// --- Geometry -----------------------------------------------------------------------------

// From the list's own height, not the viewport's: a list that has not been shown yet has not
// laid out its viewport.
int ListBox::FullyVisibleRows() const
{
    return std::max(1, (height() - 2 * frameWidth()) / LineHeight);
}

void ListBox::UpdateScrollRange()
{
    RangePending = false;
    const int visible = FullyVisibleRows();
    QScrollBar* bar = verticalScrollBar();
    bar->setPageStep(visible);
    bar->setRange(0, std::max(0, RowCount() - visible));
}

QRect ListBox::RowRect(int row) const
{
    return {0, (row - TopIndex()) * LineHeight, viewport()->width(), LineHeight};
}

int ListBox::TextWidth() const
{
    return width() - 2 * frameWidth() - verticalScrollBar()->sizeHint().width() - 2 * TextMargin;
}

int ListBox::RowAt(const QPoint& point) const
{
    if (point.y() < 0) {
        return -1;
    }
    const int row = TopIndex() + point.y() / LineHeight;
    return row < RowCount() ? row : -1;
}

void ListBox::EnsureVisible(int row)
{
    if (RangePending) {
        UpdateScrollRange();
    }
    const int top = TopIndex();
    const int visible = FullyVisibleRows();
    if (row < top) {
        verticalScrollBar()->setValue(row);
    } else if (row >= top + visible) {
        verticalScrollBar()->setValue(row - visible + 1);
    }
}

void ListBox::RepaintRow(int row)
{
    if (row >= 0) {
        viewport()->update(RowRect(row));
    }
}

// --- List-control operations --------------------------------------------------------------

void ListBox::CheckRange(const char* property, int value, int first, int last) const
{
    if (value < first || value > last) {
        throw logic::RunTimeError(objectName().toStdString() + ": " + property + " " +
                                  std::to_string(value) + " is outside " + std::to_string(first) +
                                  " to " + std::to_string(last));
    }
}

void ListBox::AddItem(const std::string& text)
{
    AddItem(text, RowCount());
}

void ListBox::AddItem(const std::string& text, int position)
{
    CheckRange("AddItem position", position, 0, RowCount());
    Rows.insert(position, QString::fromStdString(text));
    if (Selected >= position) {
        ++Selected;
    }
    if (Current >= position) {
        ++Current;
    }
    // Rows arrive in bulk at start-up; the scroll range follows once, when it is next needed.
    RangePending = true;
    if (isVisible()) {
        const CodeWrite write(*this);
        UpdateScrollRange();
        viewport()->update();
    }
}

void ListBox::SetListIndex(int row)
{
    CheckRange("ListIndex", row, -1, RowCount() - 1);
    // An unchanged write raises nothing: two lists that both lead would otherwise call each
    // other without end.
    if (row == Selected) {
        return;
    }
    {
        const CodeWrite write(*this);
        RepaintRow(Selected);
        RepaintRow(Current);
        Selected = row;
        if (row >= 0) {
            Current = row;
            EnsureVisible(row);
        }
        RepaintRow(row);
        NotifyAccessibility(row);
    }
    Raise(Event::Click);
}

int ListBox::TopIndex() const
{
    return verticalScrollBar()->value();
}

void ListBox::SetTopIndex(int row)
{
    CheckRange("TopIndex", row, 0, RowCount() - 1);
    const CodeWrite write(*this);
    if (RangePending) {
        UpdateScrollRange();
    }
    verticalScrollBar()->setValue(row);
}

void ListBox::SetVisible(bool visible)
{
    // Really hiding the focused list would push the focus along the tab chain; suspending
    // painting keeps the focus where it is and shows the finished alignment in one repaint.
    // Only the rows are suspended: the frame does not change, and the scroll bar repaints by
    // itself when, and only when, its position changes.
    viewport()->setUpdatesEnabled(visible);
}

// --- Painting -----------------------------------------------------------------------------

void ListBox::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    const QPalette::ColorGroup group = isActiveWindow() ? QPalette::Active : QPalette::Inactive;
    const int top = TopIndex();
    const int first = top + std::max(0, event->rect().top()) / LineHeight;
    const int last = std::min(RowCount() - 1, top + event->rect().bottom() / LineHeight);
    const int baseline = LinePadding + fontMetrics().ascent();
    for (int row = first; row <= last; ++row) {
        const QRect rect = RowRect(row);
        if (row == Selected) {
            painter.fillRect(rect, palette().brush(group, QPalette::Highlight));
            painter.setPen(palette().color(group, QPalette::HighlightedText));
        } else {
            painter.setPen(palette().color(group, QPalette::Text));
        }
        painter.drawText(rect.left() + TextMargin, rect.top() + baseline, Rows[row]);
        if (row == Current && hasFocus()) {
            QStyleOptionFocusRect option;
            option.initFrom(this);
            option.rect = rect;
            option.backgroundColor =
                palette().color(group, row == Selected ? QPalette::Highlight : QPalette::Base);
            style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
        }
    }
}

void ListBox::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    const CodeWrite write(*this);
    UpdateScrollRange();
}

void ListBox::changeEvent(QEvent* event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        LineHeight = fontMetrics().height() + 2 * LinePadding;
        const CodeWrite write(*this);
        UpdateScrollRange();
    }
}

void ListBox::scrollContentsBy(int /*dx*/, int /*dy*/)
{
    viewport()->update();
}

// --- Input --------------------------------------------------------------------------------

void ListBox::Raise(Event event)
{
    if (Handler) {
        Handler(event);
    }
}

void ListBox::NotifyAccessibility(int row) const
{
    if (row < 0 || !QAccessible::isActive()) {
        return;
    }
    auto* self = const_cast<ListBox*>(this);
    QAccessibleEvent selection(self, QAccessible::Selection);
    selection.setChild(row);
    QAccessible::updateAccessibility(&selection);
    if (hasFocus()) {
        QAccessibleEvent focus(self, QAccessible::Focus);
        focus.setChild(row);
        QAccessible::updateAccessibility(&focus);
    }
}

// The user moved the caret and the selection to a row. The list scrolls to it first and
// reports the click once it has settled.
void ListBox::MoveByUser(int row, bool clickEvenIfUnchanged)
{
    const int before = Selected;
    RepaintRow(Selected);
    RepaintRow(Current);
    Current = row;
    Selected = row;
    EnsureVisible(row);
    RepaintRow(row);
    NotifyAccessibility(row);
    if (clickEvenIfUnchanged || Selected != before) {
        Raise(Event::Click);
    }
}

bool ListBox::viewportEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        PressRow(static_cast<QMouseEvent*>(event));
        return true;
    case QEvent::MouseMove:
        DragTo(static_cast<QMouseEvent*>(event));
        return true;
    case QEvent::MouseButtonRelease:
        return true;
    default:
        return QAbstractScrollArea::viewportEvent(event);
    }
}

void ListBox::PressRow(const QMouseEvent* event)
{
    // Before the selection moves, so that the list's got-focus procedure runs before its click.
    setFocus(Qt::MouseFocusReason);
    const int row = RowAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && row >= 0) {
        // A click on the row already selected still counts: it re-aligns the other columns.
        MoveByUser(row, true);
    }
}

// Dragging with the button held moves the selection with the pointer, a row at a time past the
// edges.
void ListBox::DragTo(const QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton) || RowCount() == 0) {
        return;
    }
    const int y = event->position().toPoint().y();
    int row = 0;
    if (y < 0) {
        row = std::max(0, TopIndex() - 1);
    } else if (y >= FullyVisibleRows() * LineHeight) {
        row = std::min(RowCount() - 1, TopIndex() + FullyVisibleRows());
    } else {
        row = RowAt(event->position().toPoint());
        row = row < 0 ? RowCount() - 1 : row;
    }
    if (row != Selected) {
        MoveByUser(row, false);
    }
}

void ListBox::keyPressEvent(QKeyEvent* event)
{
    if (RowCount() == 0) {
        event->ignore();
        return;
    }
    const int last = RowCount() - 1;
    const int top = TopIndex();
    const int page = FullyVisibleRows();
    const int bottom = std::min(last, top + page - 1);
    // Without a caret yet, the first move lands on the first visible row.
    const int from = Current;
    int target = -1;
    switch (event->key()) {
    case Qt::Key_Up:
        target = from < 0 ? top : std::max(0, from - 1);
        break;
    case Qt::Key_Down:
        target = from < 0 ? top : std::min(last, from + 1);
        break;
    case Qt::Key_PageUp:
        target = from < 0 ? top : (from > top ? top : std::max(0, from - (page - 1)));
        break;
    case Qt::Key_PageDown:
        target = from < 0 ? bottom : (from < bottom ? bottom : std::min(last, from + page - 1));
        break;
    case Qt::Key_Home:
        target = 0;
        break;
    case Qt::Key_End:
        target = last;
        break;
    case Qt::Key_Space:
    case Qt::Key_Select:
        target = from < 0 ? top : from;
        break;
    default: {
        const QString text = event->text();
        const bool typed =
            !text.isEmpty() && text.at(0).isPrint() &&
            !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
        if (typed && KeyboardSearch(text)) {
            return;
        }
        event->ignore();
        return;
    }
    }
    MoveByUser(target, false);
}

// Typed characters accumulate while they come quickly, so "444" finds the row "444" rather than
// stepping through every row that starts with "4"; a new search starts after the current row so
// that repeating one key steps on.
bool ListBox::KeyboardSearch(const QString& text)
{
    const bool continues = KeyboardSearchClock.isValid() &&
                           KeyboardSearchClock.elapsed() <= QApplication::keyboardInputInterval();
    KeyboardSearchClock.start();
    KeyboardSearchText = continues ? KeyboardSearchText + text : text;

    const int start = continues ? std::max(Current, 0) : Current + 1;
    for (int step = 0; step < RowCount(); ++step) {
        const int row = (start + step) % RowCount();
        if (Rows[row].startsWith(KeyboardSearchText, Qt::CaseInsensitive)) {
            MoveByUser(row, false);
            return true;
        }
    }
    return true;
}

void ListBox::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
    Raise(Event::GotFocus);
}

void ListBox::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
    Raise(Event::LostFocus);
}

} // namespace framework

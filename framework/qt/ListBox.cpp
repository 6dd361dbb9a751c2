#include "ListBox.h"

#include <QAccessible>
#include <QApplication>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QScrollBar>

namespace framework::qt {

namespace {

// The keypad's decimal key types whatever the keyboard layout gives it; here it is always the
// decimal point.
bool IsKeypadDecimalKey(const QKeyEvent& event)
{
    const Qt::KeyboardModifiers commands = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    return event.modifiers().testFlag(Qt::KeypadModifier) && !(event.modifiers() & commands) &&
           (event.key() == Qt::Key_Period || event.key() == Qt::Key_Comma);
}

} // namespace

ListBox::ListBox(const QString& name, QWidget* parent)
    : QListView(parent), ListColumn(name.toStdString()), Rows(this), Delegate(this)
{
    setObjectName(name);
    setModel(&Rows);
    setItemDelegate(&Delegate);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // One scroll step is one row, so the scroll bar's value is the first visible row.
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Every column holds more rows than it shows; a bar that never comes or goes keeps the
    // rows' width the same from the first layout on.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setUniformItemSizes(true);
    // A click on the scroll bar must not take the focus (scrolling never moves it), so the list
    // takes it itself when a row is pressed; Tab still reaches it.
    setFocusPolicy(Qt::TabFocus);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] {
        if (!InCodeWrite()) {
            Raise(Event::Scroll);
        }
    });
    TypingPause.setSingleShot(true);
    connect(&TypingPause, &QTimer::timeout, this,
            [this] { AsUserInput([this] { TypingPaused(); }, false); });
}

// --- The toolkit's list -------------------------------------------------------------------

int ListBox::SelectedRow() const
{
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void ListBox::SelectRow(int row)
{
    const QModelIndex index = Rows.index(row);
    if (row < 0) {
        selectionModel()->clearSelection();
    } else if (hasFocus()) {
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    } else {
        // Selected without becoming current, and scrolled into view as the current row would be.
        selectionModel()->select(index, QItemSelectionModel::ClearAndSelect);
        scrollTo(index);
    }
}

void ListBox::ScrollToRow(int row)
{
    // Rows added since the last layout are not in the scroll range until it runs.
    executeDelayedItemsLayout();
    verticalScrollBar()->setValue(row);
}

void ListBox::SetPainting(bool painting)
{
    // Really hiding the focused list would push the focus along the tab chain, and a list shown
    // again scrolls to its current row; suspending painting of the rows has neither effect, and
    // the scroll bar repaints by itself when, and only when, its position changes.
    viewport()->setUpdatesEnabled(painting);
}

// --- Events -------------------------------------------------------------------------------

// Qt moves the selection and scrolls inside its own handlers; the click is reported once they
// are done, so the procedure sees the list where it settled.
template <typename Handle>
void ListBox::AsUserInput(const Handle& handle, bool clickEvenIfUnchanged)
{
    const int before = ListIndex();
    handle();
    if (clickEvenIfUnchanged || ListIndex() != before) {
        Raise(Event::Click);
    }
}

// The view would put the caret on row 0 on gaining the focus, and the first arrow key would
// then move from there, out of sight; without a caret the first move lands on the first
// visible row.
QModelIndex ListBox::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers)
{
    if (!currentIndex().isValid()) {
        return GainingFocus || RowCount() == 0 ? QModelIndex() : Rows.index(TopIndex());
    }
    return QListView::moveCursor(cursorAction, modifiers);
}

// Qt 6.4's list view reports its new current row as focused whether or not the view has the
// focus; with seven lists moving together, a screen reader would speak whichever came last.
void ListBox::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    if (hasFocus() && !GainingFocus) {
        QListView::currentChanged(current, previous);
        if (current.isValid()) {
            RowFocusPending = false;
        }
    } else {
        // Past the list view, whose focus report is the one to skip.
        // NOLINTNEXTLINE(bugprone-parent-virtual-call)
        QAbstractItemView::currentChanged(current, previous);
    }
}

// The lists that follow a move change their selection silently: a screen reader handed the
// selection changes of seven lists for every key falls seconds behind a quick run of keys.
void ListBox::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected)
{
    if (hasFocus()) {
        QListView::selectionChanged(selected, deselected);
    } else {
        // Past the list view, whose selection report is the one to skip.
        // NOLINTNEXTLINE(bugprone-parent-virtual-call)
        QAbstractItemView::selectionChanged(selected, deselected);
    }
}

void ListBox::focusInEvent(QFocusEvent* event)
{
    {
        const QScopedValueRollback gaining(GainingFocus, true);
        PlaceCaretOnSelectedRow();
        QListView::focusInEvent(event);
    }
    RowFocusPending = true;
    Raise(Event::GotFocus);
    // A screen reader announces the column on entering it, but not the value the user came for:
    // that follows once the column's own announcement has gone out.
    QTimer::singleShot(0, this, &ListBox::ReportCurrentRowFocused);
}

// The first key moves on from the selected row. Where the caret stands is no reason to scroll:
// the user may have scrolled the selection out of sight on purpose.
void ListBox::PlaceCaretOnSelectedRow()
{
    if (ListIndex() < 0) {
        return;
    }
    const bool scrolls = hasAutoScroll();
    setAutoScroll(false);
    selectionModel()->setCurrentIndex(Rows.index(ListIndex()), QItemSelectionModel::NoUpdate);
    setAutoScroll(scrolls);
}

// Unless a click or a key has already moved the caret and so reported its row.
void ListBox::ReportCurrentRowFocused()
{
    if (!hasFocus() || !RowFocusPending || !currentIndex().isValid()) {
        return;
    }
    RowFocusPending = false;
    QAccessibleEvent focus(this, QAccessible::Focus);
    focus.setChild(currentIndex().row());
    QAccessible::updateAccessibility(&focus);
}

void ListBox::focusOutEvent(QFocusEvent* event)
{
    QListView::focusOutEvent(event);
    RowFocusPending = false;
    selectionModel()->setCurrentIndex({}, QItemSelectionModel::NoUpdate);
    Raise(Event::LostFocus);
}

void ListBox::mousePressEvent(QMouseEvent* event)
{
    // Before the selection moves, so that the list's got-focus procedure runs before its click.
    setFocus(Qt::MouseFocusReason);
    // The view selects with any button; here only the left one picks a value.
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    const QModelIndex pressed = indexAt(event->position().toPoint());
    // A click on the row already selected still counts: it re-aligns the other columns.
    AsUserInput(
        [this, event, pressed] {
            QListView::mousePressEvent(event);
            // The view brings a partly visible row into view only after the double-click
            // interval; the other columns would follow that late.
            if (pressed.isValid()) {
                scrollTo(pressed);
            }
        },
        pressed.isValid());
}

void ListBox::mouseMoveEvent(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton)) {
        return; // hovering and other buttons select nothing
    }
    AsUserInput([this, event] { QListView::mouseMoveEvent(event); }, false);
}

void ListBox::mouseReleaseEvent(QMouseEvent* event)
{
    AsUserInput([this, event] { QListView::mouseReleaseEvent(event); }, false);
}

void ListBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    AsUserInput([this, event] { QListView::mouseDoubleClickEvent(event); }, false);
}

void ListBox::keyPressEvent(QKeyEvent* event)
{
    AsUserInput(
        [this, event] {
            if (IsKeypadDecimalKey(*event)) {
                Type(event->text().toStdString(), true);
                event->accept();
            } else {
                QListView::keyPressEvent(event);
            }
        },
        false);
}

void ListBox::timerEvent(QTimerEvent* event)
{
    // Qt's drag auto-scroll moves the selection from a timer.
    AsUserInput([this, event] { QListView::timerEvent(event); }, false);
}

// The view's own search steps through every row that starts with the last character; here the
// characters typed within the keyboard interval make one text, and the pause after them may
// bring the nearest value (TypedValueSearch).
void ListBox::keyboardSearch(const QString& search)
{
    Type(search.toStdString(), false);
}

void ListBox::RestartTypingPause()
{
    TypingPause.start(QApplication::keyboardInputInterval());
}

} // namespace framework::qt

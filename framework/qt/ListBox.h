#pragma once

#include "RowDelegate.h"
#include "RowModel.h"
#include "framework/TypedValueSearch.h"
#include "logic/Form1.h"

#include <QListView>
#include <QTimer>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace framework {

// A list column: Qt's list view over the column's rows, offering the list-control operations and
// reporting the four list events (click, got focus, lost focus, scroll) with the semantics the
// window logic relies on:
// - a code write of ListIndex raises Click inside the write, but only when the value changes;
// - a user selection raises Click once, after the list has finished moving; a mouse click on a
//   row raises it even when that row was already selected;
// - Scroll is raised only for scrolling that follows the user's input, never for code writes;
// - SetVisible suspends painting instead of hiding, so the focus never moves and no row jumps.
// Only the list that holds the focus has a current row (the caret): a screen reader takes the
// current row for the focused one, and follows whichever list reports one. The others show their
// selection alone. Everything else (drawing, keys, copying, accessibility) is the view's own.
class ListBox final : public QListView, public logic::ListControl {
public:
    using Event = logic::ListEvent;
    using EventHandler = std::function<void(Event)>;

    ListBox(const QString& name, QWidget* parent);

    void SetEventHandler(EventHandler handler) { Handler = std::move(handler); }

    int RowCount() const { return Rows.Count(); }
    const QString& Text(int row) const { return Rows.Text(row); }
    // Where a row stands, in the coordinates of the viewport.
    QRect RowRect(int row) const { return visualRect(Rows.index(row)); }

    // The rows the list is created with, all at once: one insertion for the view to take in.
    void AddItems(std::span<const std::string_view> texts);
    void AddItem(const std::string& text) override;
    void AddItem(const std::string& text, int position) override;
    int ListIndex() const override;
    void SetListIndex(int row) override;
    int TopIndex() const override;
    void SetTopIndex(int row) override;
    void SetVisible(bool visible) override;
    // False between SetVisible(false) and SetVisible(true).
    bool Painting() const { return viewport()->updatesEnabled(); }

    void keyboardSearch(const QString& search) override;

protected:
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void selectionChanged(const QItemSelection& selected,
                          const QItemSelection& deselected) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    class CodeWrite;

    template <typename Handle> void AsUserInput(const Handle& handle, bool clickEvenIfUnchanged);
    void Raise(Event event);
    void OnScrolled();
    void PlaceCaretOnSelectedRow();
    void ReportCurrentRowFocused();
    void Type(const QString& text, bool keypadDecimalKey);
    void OnTypingPaused();
    std::vector<std::string> RowTexts() const;
    void CheckRange(const char* property, int value, int first, int last) const;

    RowModel Rows;
    RowDelegate Delegate;
    EventHandler Handler;
    int CodeWriteDepth = 0;
    bool GainingFocus = false;
    // From gaining the focus until the current row has been reported focused.
    bool RowFocusPending = false;
    TypedValueSearch Typing;
    QTimer TypingPause;
};

} // namespace framework

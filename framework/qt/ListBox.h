#pragma once

#include "RowDelegate.h"
#include "RowModel.h"
#include "framework/ListColumn.h"

#include <QListView>
#include <QScrollBar>
#include <QTimer>

namespace framework::qt {

// A list column (ListColumn, where the events' meanings are written) on Qt's list view.
// Only the list that holds the focus has a current row (the caret): a screen reader takes the
// current row for the focused one, and follows whichever list reports one. The others show their
// selection alone. Everything else (drawing, keys, copying, accessibility) is the view's own.
class ListBox final : public QListView, public ListColumn {
public:
    ListBox(const QString& name, QWidget* parent);

    const QString& Text(int row) const { return Rows.Text(row); }
    // Where a row stands, in the coordinates of the viewport.
    QRect RowRect(int row) const { return visualRect(Rows.index(row)); }
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
    void InsertRows(int position, std::span<const std::string_view> texts) override
    {
        Rows.Insert(position, texts);
    }
    int SelectedRow() const override;
    void SelectRow(int row) override;
    int FirstVisibleRow() const override { return verticalScrollBar()->value(); }
    void ScrollToRow(int row) override;
    void SetPainting(bool painting) override;
    bool HasFocus() const override { return hasFocus(); }
    void MoveByTyping(int row) override { setCurrentIndex(Rows.index(row)); }
    void RestartTypingPause() override;

    template <typename Handle> void AsUserInput(const Handle& handle, bool clickEvenIfUnchanged);
    void PlaceCaretOnSelectedRow();
    void ReportCurrentRowFocused();

    RowModel Rows;
    RowDelegate Delegate;
    bool GainingFocus = false;
    // From gaining the focus until the current row has been reported focused.
    bool RowFocusPending = false;
    QTimer TypingPause;
};

} // namespace framework::qt

#pragma once

#include "logic/Form1.h"

#include <QAbstractScrollArea>
#include <QElapsedTimer>
#include <QList>
#include <QString>
#include <functional>

namespace framework {

// A list column: a plain scrolling list of text rows that offers the list-control operations
// and reports the four list events (click, got focus, lost focus, scroll) with the semantics the
// window logic relies on:
// - a code write of ListIndex raises Click inside the write, but only when the value changes;
// - a user selection raises Click once, after the list has finished moving; a mouse click on a
//   row raises it even when that row was already selected;
// - Scroll is raised only for scrolling that follows the user's input, never for code writes;
// - SetVisible suspends painting instead of hiding, so the focus never moves and no row jumps.
// It draws its rows itself: a general item view measures, lays out and styles every row through
// several layers, which the table's 791 short texts do not need.
class ListBox final : public QAbstractScrollArea, public logic::ListControl {
public:
    using Event = logic::ListEvent;
    using EventHandler = std::function<void(Event)>;

    ListBox(const QString& name, QWidget* parent);

    void SetEventHandler(EventHandler handler) { Handler = std::move(handler); }

    int RowCount() const { return static_cast<int>(Rows.size()); }
    const QString& Text(int row) const { return Rows.at(row); }
    // The row with the caret, which the keyboard moves from; -1 before the first move.
    int CurrentRow() const { return Current; }
    // Where a row stands, in the coordinates of the viewport.
    QRect RowRect(int row) const;
    // The row at a point of the viewport, -1 below the last row.
    int RowAt(const QPoint& point) const;
    // How wide a row's text may be without being cut.
    int TextWidth() const;

    void AddItem(const std::string& text) override;
    void AddItem(const std::string& text, int position) override;
    int ListIndex() const override { return Selected; }
    void SetListIndex(int row) override;
    int TopIndex() const override;
    void SetTopIndex(int row) override;
    void SetVisible(bool visible) override;
    // False between SetVisible(false) and SetVisible(true).
    bool Painting() const { return viewport()->updatesEnabled(); }

protected:
    bool viewportEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    class CodeWrite;

    void PressRow(const QMouseEvent* event);
    void DragTo(const QMouseEvent* event);
    void MoveByUser(int row, bool clickEvenIfUnchanged);
    bool KeyboardSearch(const QString& text);
    void EnsureVisible(int row);
    int RowHeight() const { return LineHeight; }
    int FullyVisibleRows() const;
    void UpdateScrollRange();
    void RepaintRow(int row);
    void NotifyAccessibility(int row) const;
    void Raise(Event event);
    void CheckRange(const char* property, int value, int first, int last) const;

    QList<QString> Rows;
    int Selected = -1;
    int Current = -1;
    int LineHeight = 1;
    int CodeWriteDepth = 0;
    bool RangePending = true;
    EventHandler Handler;
    QElapsedTimer KeyboardSearchClock;
    QString KeyboardSearchText;
};

} // namespace framework

#pragma once

#include "RowModel.h"
#include "logic/ListControl.h"

#include <QElapsedTimer>
#include <QListView>
#include <functional>

namespace framework {

// A list column: a QListView that offers the list-control operations and reports the four list
// events (click, got focus, lost focus, scroll) with the semantics the window logic relies on:
// - a code write of ListIndex raises Click inside the write, but only when the value changes;
// - a user selection raises Click once, after the list has finished moving; a mouse click on a
//   row raises it even when that row was already selected;
// - Scroll is raised only for scrolling that follows the user's input, never for code writes;
// - SetVisible suspends painting instead of hiding, so the focus never moves and no row jumps.
class ListBox final : public QListView, public logic::ListControl {
public:
    enum class Event { Click, GotFocus, LostFocus, Scroll };
    using EventHandler = std::function<void(Event)>;

    ListBox(const QString& name, QWidget* parent);

    void SetEventHandler(EventHandler handler) { Handler = std::move(handler); }

    int RowCount() const { return Rows.Count(); }
    const QString& Text(int row) const { return Rows.Text(row); }

    void AddItem(const std::string& text) override;
    void AddItem(const std::string& text, int position) override;
    int ListIndex() const override;
    void SetListIndex(int row) override;
    int TopIndex() const override;
    void SetTopIndex(int row) override;
    void SetVisible(bool visible) override;

    void keyboardSearch(const QString& search) override;

protected:
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
    void CheckRange(const char* property, int value, int first, int last) const;

    RowModel Rows;
    EventHandler Handler;
    int CodeWriteDepth = 0;
    QElapsedTimer KeyboardSearchClock;
    QString KeyboardSearchText;
};

} // namespace framework

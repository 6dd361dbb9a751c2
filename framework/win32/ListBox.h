#pragma once

#include "framework/TypedValueSearch.h"
#include "logic/Form1.h"

#include <functional>
#include <string>
#include <vector>
#include <windows.h>

namespace framework::win32 {

// A list column on the system's own list box, offering the list-control operations and
// reporting the four list events with the meanings the window logic relies on:
// - a code write of ListIndex raises Click inside the write, but only when the value changes;
// - a user selection raises Click once, after the list has moved; a mouse press on a row raises
//   it even when that row was already selected;
// - Scroll is raised only for scrolling that follows the user's input, never for code writes;
// - SetVisible suspends redrawing instead of hiding, so the focus never moves.
// The list box tells its parent about selections only in part and about scrolling not at all, so
// the list is subclassed and compares its selection and top row after each message it handles.
class ListBox final : public logic::ListControl {
public:
    using Event = logic::ListEvent;
    using EventHandler = std::function<void(Event)>;

    // The name is for run-time errors; the window text is the caption screen readers name it by.
    ListBox(HWND parent, int controlId, std::string name, const std::wstring& caption);
    ~ListBox() override;
    ListBox(const ListBox&) = delete;
    ListBox& operator=(const ListBox&) = delete;

    HWND Handle() const { return Window; }
    void SetEventHandler(EventHandler handler) { Handler = std::move(handler); }
    // Got and lost focus reach the parent as notifications; it hands them on here.
    void RaiseFocusEvent(bool gained);

    int RowCount() const;
    // A new font may change how many rows fit, and so the top row: that is no user's scrolling.
    void SetFont(HFONT font);

    void AddItem(const std::string& text) override;
    void AddItem(const std::string& text, int position) override;
    int ListIndex() const override;
    void SetListIndex(int row) override;
    int TopIndex() const override;
    void SetTopIndex(int row) override;
    void SetVisible(bool visible) override;

private:
    class CodeWrite;

    static LRESULT CALLBACK SubclassProcedure(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam);
    LRESULT Filter(UINT message, WPARAM wParam, LPARAM lParam);
    // Straight to the list box's own procedure: SendMessage would pass through the filter again.
    LRESULT Call(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    bool PressedOnRow(LPARAM point) const;
    void Type(wchar_t character);
    void OnTypingPaused();
    std::vector<std::string> RowTexts() const;
    void ReportUserChanges(bool clickEvenIfUnchanged);
    void RememberState();
    void Raise(Event event);
    void CheckRange(const char* property, int value, int first, int last) const;

    HWND Window = nullptr;
    WNDPROC Original = nullptr;
    std::string Name;
    int CodeWriteDepth = 0;
    int MessageDepth = 0;
    int KnownTop = 0;
    int KnownSelection = -1;
    EventHandler Handler;
    TypedValueSearch Typing;
    // The character that follows comes from the keypad's decimal key.
    bool KeypadDecimalDown = false;
};

} // namespace framework::win32

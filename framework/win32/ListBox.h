#pragma once

#include "framework/ListColumn.h"

#include <string>
#include <windows.h>

namespace framework::win32 {

// A list column (ListColumn, where the events' meanings are written) on the system's own list
// box. The list box tells its parent about selections only in part and about scrolling not at
// all, so the list is subclassed and compares its selection and top row after each message it
// handles.
class ListBox final : public ListColumn {
public:
    // The name is for run-time errors; the window text is the caption screen readers name it by.
    ListBox(HWND parent, int controlId, std::string name, const std::wstring& caption);
    ~ListBox() override;
    ListBox(const ListBox&) = delete;
    ListBox& operator=(const ListBox&) = delete;

    HWND Handle() const { return Window; }
    // Got and lost focus reach the parent as notifications; it hands them on here.
    void RaiseFocusEvent(bool gained);

    // A new font may change how many rows fit, and so the top row: that is no user's scrolling.
    void SetFont(HFONT font);

private:
    void InsertRows(int position, std::span<const std::string_view> texts) override;
    int SelectedRow() const override { return static_cast<int>(Call(LB_GETCURSEL)); }
    void SelectRow(int row) override;
    int FirstVisibleRow() const override { return static_cast<int>(Call(LB_GETTOPINDEX)); }
    void ScrollToRow(int row) override;
    void SetPainting(bool painting) override;
    bool HasFocus() const override { return GetFocus() == Window; }
    void MoveByTyping(int row) override { Call(LB_SETCURSEL, static_cast<WPARAM>(row)); }
    void RestartTypingPause() override;
    void CodeWriteEnded() override;

    static LRESULT CALLBACK SubclassProcedure(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam, UINT_PTR id, DWORD_PTR list);
    LRESULT Filter(UINT message, WPARAM wParam, LPARAM lParam);
    // Straight to the list box's own procedure: SendMessage would pass through the filter again.
    LRESULT Call(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    bool PressedOnRow(LPARAM point) const;
    void ReportUserChanges(bool clickEvenIfUnchanged);

    HWND Window = nullptr;
    WNDPROC ListBoxProcedure = nullptr;
    int MessageDepth = 0;
    int KnownTop = 0;
    int KnownSelection = -1;
    // The character that follows comes from the keypad's decimal key.
    bool KeypadDecimalDown = false;
};

} // namespace framework::win32

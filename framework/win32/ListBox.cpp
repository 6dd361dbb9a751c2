#include "ListBox.h"

#include "Text.h"

#include <commctrl.h>
#include <cstring>
#include <utility>

namespace framework::win32 {
namespace {

constexpr DWORD ListStyle =
    WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;

// Typed characters that follow each other this quickly make one text; Windows has no setting for
// it, and this is the interval the Qt build uses by default.
constexpr UINT KeyboardIntervalMilliseconds = 400;
// Well away from the small ids of the list box's own timers.
constexpr UINT_PTR TypingPauseTimer = 0x7479;
// The one subclass this program puts on a list box.
constexpr UINT_PTR SubclassId = 1;

// With Ctrl alone, it copies the selected value, as in the Qt build.
constexpr WPARAM CopyKey = 'C';

// As the clipboard's one format, plain Unicode text, as the Qt build's lists copy a value.
void CopyToClipboard(HWND owner, const std::wstring& text)
{
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (memory == nullptr || !OpenClipboard(owner)) {
        GlobalFree(memory);
        return;
    }
    std::memcpy(GlobalLock(memory), text.c_str(), bytes);
    GlobalUnlock(memory);
    // The clipboard owns the memory once it has taken it.
    if (!EmptyClipboard() || SetClipboardData(CF_UNICODETEXT, memory) == nullptr) {
        GlobalFree(memory);
    }
    CloseClipboard();
}

// A character typed for the search, not a control character or a command.
bool IsTyping(wchar_t character)
{
    return character >= L' ' && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0;
}

} // namespace

ListBox::ListBox(HWND parent, int controlId, std::string name, const std::wstring& caption)
    : ListColumn(std::move(name))
{
    Window = CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", caption.c_str(), ListStyle, 0, 0, 0, 0,
                             parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)),
                             GetModuleHandleW(nullptr), nullptr);
    if (Window == nullptr) {
        throw logic::RunTimeError("Cannot create " + Name());
    }
    ListBoxProcedure = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(Window, GWLP_WNDPROC));
    SetWindowSubclass(Window, &ListBox::SubclassProcedure, SubclassId,
                      reinterpret_cast<DWORD_PTR>(this));
}

ListBox::~ListBox()
{
    if (Window != nullptr && IsWindow(Window)) {
        RemoveWindowSubclass(Window, &ListBox::SubclassProcedure, SubclassId);
    }
}

LRESULT ListBox::Call(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return CallWindowProcW(ListBoxProcedure, Window, message, wParam, lParam);
}

LRESULT CALLBACK ListBox::SubclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                            UINT_PTR /*id*/, DWORD_PTR list)
{
    auto* self = reinterpret_cast<ListBox*>(list);
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, &ListBox::SubclassProcedure, SubclassId);
        self->Window = nullptr;
        return DefSubclassProc(window, message, wParam, lParam);
    }
    return self->Filter(message, wParam, lParam);
}

LRESULT ListBox::Filter(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (InCodeWrite()) {
        return Call(message, wParam, lParam);
    }
    if (message == WM_KEYDOWN) {
        // Whatever character the keyboard layout gives the keypad's decimal key, the character
        // that follows is typed as the decimal point.
        KeypadDecimalDown = wParam == VK_DECIMAL;
        if (wParam == CopyKey && GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_SHIFT) >= 0 &&
            GetKeyState(VK_MENU) >= 0 && ListIndex() >= 0) {
            CopyToClipboard(Window, Widen(SelectedText()));
            return 0;
        }
    }
    // The list box's own search looks for the last character alone.
    if (message == WM_CHAR && IsTyping(static_cast<wchar_t>(wParam))) {
        const auto character = static_cast<wchar_t>(wParam);
        Type(Narrow(std::wstring_view(&character, 1)), std::exchange(KeypadDecimalDown, false));
        ReportUserChanges(false);
        return 0;
    }
    // Its running out is the pause (TypedValueSearch).
    if (message == WM_TIMER && wParam == TypingPauseTimer) {
        KillTimer(Window, TypingPauseTimer);
        if (TypingPaused()) {
            ReportUserChanges(false);
        }
        return 0;
    }
    const bool press =
        (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) && PressedOnRow(lParam);
    ++MessageDepth;
    const LRESULT result = Call(message, wParam, lParam);
    --MessageDepth;
    // The scroll bar tracks the mouse in a loop of its own that sends WM_VSCROLL as it goes: the
    // other columns follow each step, not only the release.
    if (MessageDepth == 0 || message == WM_VSCROLL) {
        ReportUserChanges(press);
    }
    return result;
}

bool ListBox::PressedOnRow(LPARAM point) const
{
    const LRESULT hit = Call(LB_ITEMFROMPOINT, 0, point);
    return HIWORD(hit) == 0 && static_cast<int>(LOWORD(hit)) < RowCount();
}

void ListBox::RestartTypingPause()
{
    SetTimer(Window, TypingPauseTimer, KeyboardIntervalMilliseconds, nullptr);
}

void ListBox::CodeWriteEnded()
{
    KnownTop = FirstVisibleRow();
    KnownSelection = SelectedRow();
}

// Scroll first, then click, once each: a click on a partly visible row scrolls it into view.
void ListBox::ReportUserChanges(bool clickEvenIfUnchanged)
{
    const int top = FirstVisibleRow();
    const int selection = SelectedRow();
    const bool scrolled = top != KnownTop;
    const bool clicked = clickEvenIfUnchanged || selection != KnownSelection;
    KnownTop = top;
    KnownSelection = selection;
    if (scrolled) {
        Raise(Event::Scroll);
    }
    if (clicked) {
        Raise(Event::Click);
    }
}

void ListBox::RaiseFocusEvent(bool gained)
{
    Raise(gained ? Event::GotFocus : Event::LostFocus);
}

void ListBox::SetFont(HFONT font)
{
    const CodeWrite write(*this);
    Call(WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

// --- The toolkit's list -------------------------------------------------------------------

void ListBox::InsertRows(int position, std::span<const std::string_view> texts)
{
    for (const std::string_view text : texts) {
        const std::wstring row = Widen(text);
        const LRESULT added = Call(LB_INSERTSTRING, static_cast<WPARAM>(position),
                                   reinterpret_cast<LPARAM>(row.c_str()));
        if (added == LB_ERR || added == LB_ERRSPACE) {
            Fail("AddItem failed at " + std::to_string(position));
        }
        ++position;
    }
}

void ListBox::SelectRow(int row)
{
    // -1 clears the selection and is reported as LB_ERR although nothing failed.
    if (Call(LB_SETCURSEL, static_cast<WPARAM>(row)) == LB_ERR && row >= 0) {
        Fail("cannot select row " + std::to_string(row));
    }
}

void ListBox::ScrollToRow(int row)
{
    if (Call(LB_SETTOPINDEX, static_cast<WPARAM>(row)) == LB_ERR) {
        Fail("cannot scroll to row " + std::to_string(row));
    }
}

// Really hiding the focused list would push the focus along the tab chain; suspending redrawing
// keeps the focus where it is and shows the finished alignment at once. The list box keeps a
// redraw flag of its own and the window system another: a list box that only knows of its own
// still scrolls its pixels and draws its scroll bar while suspended, so both are told.
void ListBox::SetPainting(bool painting)
{
    Call(WM_SETREDRAW, painting ? TRUE : FALSE);
    DefWindowProcW(Window, WM_SETREDRAW, painting ? TRUE : FALSE, 0);
    if (painting) {
        RedrawWindow(Window, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE);
    }
}

} // namespace framework::win32

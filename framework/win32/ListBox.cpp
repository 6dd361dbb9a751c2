#include "ListBox.h"

#include "Text.h"

#include <cstring>
#include <windowsx.h>

namespace framework::win32 {
namespace {

constexpr DWORD ListStyle =
    WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;

// Typed characters that follow each other this quickly make one text; Windows has no setting for
// it, and this is the interval the Qt build uses by default.
constexpr UINT KeyboardIntervalMilliseconds = 400;
// Well away from the small ids of the list box's own timers.
constexpr UINT_PTR TypingPauseTimer = 0x7479;

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

// While code changes a list, what the list does in consequence is not the user's doing.
class ListBox::CodeWrite {
public:
    explicit CodeWrite(ListBox& list) : List(list) { ++List.CodeWriteDepth; }
    ~CodeWrite()
    {
        List.RememberState();
        --List.CodeWriteDepth;
    }
    CodeWrite(const CodeWrite&) = delete;
    CodeWrite& operator=(const CodeWrite&) = delete;

private:
    ListBox& List;
};

ListBox::ListBox(HWND parent, int controlId, std::string name, const std::wstring& caption)
    : Name(std::move(name))
{
    Window = CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", caption.c_str(), ListStyle, 0, 0, 0, 0,
                             parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)),
                             GetModuleHandleW(nullptr), nullptr);
    if (Window == nullptr) {
        throw logic::RunTimeError("Cannot create " + Name);
    }
    SetWindowLongPtrW(Window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    Original = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        Window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ListBox::SubclassProcedure)));
}

ListBox::~ListBox()
{
    if (Window != nullptr && IsWindow(Window)) {
        SetWindowLongPtrW(Window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Original));
        SetWindowLongPtrW(Window, GWLP_USERDATA, 0);
    }
}

LRESULT ListBox::Call(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return CallWindowProcW(Original, Window, message, wParam, lParam);
}

LRESULT CALLBACK ListBox::SubclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* list = reinterpret_cast<ListBox*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCDESTROY && list != nullptr) {
        const WNDPROC original = list->Original;
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        list->Window = nullptr;
        return CallWindowProcW(original, window, message, wParam, lParam);
    }
    return list->Filter(message, wParam, lParam);
}

LRESULT ListBox::Filter(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (CodeWriteDepth > 0) {
        return Call(message, wParam, lParam);
    }
    if (message == WM_KEYDOWN) {
        // Whatever character the keyboard layout gives the keypad's decimal key, the character
        // that follows is typed as the decimal point.
        KeypadDecimalDown = wParam == VK_DECIMAL;
        if (wParam == CopyKey && GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_SHIFT) >= 0 &&
            GetKeyState(VK_MENU) >= 0 && ListIndex() >= 0) {
            CopyToClipboard(Window, Widen(RowTexts().at(static_cast<size_t>(ListIndex()))));
            return 0;
        }
    }
    // The list box's own search looks for the last character alone.
    if (message == WM_CHAR && IsTyping(static_cast<wchar_t>(wParam))) {
        Type(static_cast<wchar_t>(wParam));
        ReportUserChanges(false);
        return 0;
    }
    if (message == WM_TIMER && wParam == TypingPauseTimer) {
        OnTypingPaused();
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

// Each character restarts the timer: its running out is the pause (TypedValueSearch).
void ListBox::Type(wchar_t character)
{
    const int row = Typing.Type(Narrow(std::wstring_view(&character, 1)), KeypadDecimalDown,
                                RowTexts(), ListIndex());
    KeypadDecimalDown = false;
    if (row != TypedValueSearch::NoRow) {
        Call(LB_SETCURSEL, static_cast<WPARAM>(row));
    }
    SetTimer(Window, TypingPauseTimer, KeyboardIntervalMilliseconds, nullptr);
}

void ListBox::OnTypingPaused()
{
    KillTimer(Window, TypingPauseTimer);
    const int row = Typing.Pause(RowTexts(), ListIndex());
    // Once the focus has left, the other columns would no longer follow this one.
    if (row == TypedValueSearch::NoRow || GetFocus() != Window) {
        return;
    }
    Call(LB_SETCURSEL, static_cast<WPARAM>(row));
    ReportUserChanges(false);
}

std::vector<std::string> ListBox::RowTexts() const
{
    std::vector<std::string> texts;
    const int count = RowCount();
    texts.reserve(static_cast<size_t>(count));
    for (int row = 0; row < count; ++row) {
        const LRESULT length = Call(LB_GETTEXTLEN, static_cast<WPARAM>(row));
        std::wstring text(length > 0 ? static_cast<size_t>(length) : 0, L'\0');
        if (length > 0) {
            Call(LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text.data()));
        }
        texts.push_back(Narrow(text));
    }
    return texts;
}

void ListBox::RememberState()
{
    KnownTop = static_cast<int>(Call(LB_GETTOPINDEX));
    KnownSelection = static_cast<int>(Call(LB_GETCURSEL));
}

// Scroll first, then click, once each: a click on a partly visible row scrolls it into view.
void ListBox::ReportUserChanges(bool clickEvenIfUnchanged)
{
    const int top = static_cast<int>(Call(LB_GETTOPINDEX));
    const int selection = static_cast<int>(Call(LB_GETCURSEL));
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

void ListBox::Raise(Event event)
{
    if (Handler) {
        Handler(event);
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

// --- List-control operations --------------------------------------------------------------

void ListBox::CheckRange(const char* property, int value, int first, int last) const
{
    if (value < first || value > last) {
        throw logic::RunTimeError(Name + ": " + property + " " + std::to_string(value) +
                                  " is outside " + std::to_string(first) + " to " +
                                  std::to_string(last));
    }
}

int ListBox::RowCount() const
{
    return static_cast<int>(Call(LB_GETCOUNT));
}

void ListBox::AddItem(const std::string& text)
{
    AddItem(text, RowCount());
}

void ListBox::AddItem(const std::string& text, int position)
{
    CheckRange("AddItem position", position, 0, RowCount());
    const std::wstring row = Widen(text);
    const CodeWrite write(*this);
    const LRESULT added =
        Call(LB_INSERTSTRING, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(row.c_str()));
    if (added == LB_ERR || added == LB_ERRSPACE) {
        throw logic::RunTimeError(Name + ": AddItem failed at " + std::to_string(position));
    }
}

int ListBox::ListIndex() const
{
    return static_cast<int>(Call(LB_GETCURSEL));
}

void ListBox::SetListIndex(int row)
{
    CheckRange("ListIndex", row, -1, RowCount() - 1);
    // An unchanged write raises nothing: two lists that both lead would otherwise call each
    // other without end.
    if (row == ListIndex()) {
        return;
    }
    {
        const CodeWrite write(*this);
        // -1 clears the selection and is reported as LB_ERR although nothing failed.
        if (Call(LB_SETCURSEL, static_cast<WPARAM>(row)) == LB_ERR && row >= 0) {
            throw logic::RunTimeError(Name + ": cannot select row " + std::to_string(row));
        }
    }
    Raise(Event::Click);
}

int ListBox::TopIndex() const
{
    return static_cast<int>(Call(LB_GETTOPINDEX));
}

void ListBox::SetTopIndex(int row)
{
    CheckRange("TopIndex", row, 0, RowCount() - 1);
    const CodeWrite write(*this);
    if (Call(LB_SETTOPINDEX, static_cast<WPARAM>(row)) == LB_ERR) {
        throw logic::RunTimeError(Name + ": cannot scroll to row " + std::to_string(row));
    }
}

// Really hiding the focused list would push the focus along the tab chain; suspending redrawing
// keeps the focus where it is and shows the finished alignment at once. The list box keeps a
// redraw flag of its own and the window system another: a list box that only knows of its own
// still scrolls its pixels and draws its scroll bar while suspended, so both are told.
void ListBox::SetVisible(bool visible)
{
    const CodeWrite write(*this);
    Call(WM_SETREDRAW, visible ? TRUE : FALSE);
    DefWindowProcW(Window, WM_SETREDRAW, visible ? TRUE : FALSE, 0);
    if (visible) {
        RedrawWindow(Window, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE);
    }
}

} // namespace framework::win32

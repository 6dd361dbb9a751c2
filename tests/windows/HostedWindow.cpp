#include "HostedWindow.h"

#include <algorithm>
#include <stdexcept>

namespace testing {
namespace {

constexpr int FirstListId = 100;
constexpr int MessageBoxTextId = 0xFFFF;
constexpr COLORREF Unpainted = RGB(1, 2, 3);
constexpr DWORD ActivationTimeoutMilliseconds = 10000;
constexpr DWORD PollMilliseconds = 10;
constexpr DWORD SettleMilliseconds = 300;

HostedWindow* Watched = nullptr;

BOOL CALLBACK CollectVisible(HWND window, LPARAM windows)
{
    if (IsWindowVisible(window)) {
        reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    }
    return TRUE;
}

INPUT Mouse(DWORD flags, DWORD data = 0)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    input.mi.mouseData = data;
    return input;
}

INPUT Key(WORD virtualKey, bool down)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    return input;
}

} // namespace

HostedWindow::HostedWindow(const form::FormDescription& description,
                           const framework::win32::DpiFunctions& dpiFunctions)
    : Window(description, dpiFunctions)
{
    Window.Load();
    // The window holds lists and header cells only.
    for (HWND child = GetWindow(Handle(), GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        const int number = GetDlgCtrlID(child) - FirstListId;
        if (number >= 1 && number <= logic::ListCount) {
            ListHandles.at(static_cast<size_t>(number - 1)) = child;
        } else {
            LabelHandles.push_back(child);
        }
    }
    Watched = this;
    Hook = SetWindowsHookExW(WH_CBT, WatchActivation, nullptr, GetCurrentThreadId());
    HDC screen = GetDC(nullptr);
    PaintProbe = CreateCompatibleDC(screen);
    PaintProbeBitmap = CreateCompatibleBitmap(screen, 4, 4);
    ReleaseDC(nullptr, screen);
    SelectObject(PaintProbe, PaintProbeBitmap);
    // Only the pixel looked at is drawn: the other rows cost no text.
    IntersectClipRect(PaintProbe, 1, 1, 2, 2);
    ListBoxProcedure = reinterpret_cast<WNDPROC>(GetClassLongPtrW(List(1), GCLP_WNDPROC));
    Window.Show(SW_SHOWNORMAL);
    Pump();
}

HostedWindow::~HostedWindow()
{
    UnhookWindowsHookEx(Hook);
    Watched = nullptr;
    DeleteDC(PaintProbe);
    DeleteObject(PaintProbeBitmap);
}

int HostedWindow::FocusedList() const
{
    const auto found = std::ranges::find(ListHandles, GetFocus());
    return found == ListHandles.end() ? 0 : static_cast<int>(found - ListHandles.begin()) + 1;
}

LRESULT HostedWindow::Ask(HWND list, UINT message, WPARAM wParam, LPARAM lParam) const
{
    return CallWindowProcW(ListBoxProcedure, list, message, wParam, lParam);
}

HostedWindow::State HostedWindow::Read() const
{
    State state{FocusedList()};
    for (int number = 1; number <= logic::ListCount; ++number) {
        state.Selected.at(number - 1) = static_cast<int>(Ask(List(number), LB_GETCURSEL));
        state.Top.at(number - 1) = static_cast<int>(Ask(List(number), LB_GETTOPINDEX));
    }
    return state;
}

// A list whose painting is suspended, by the window system or by the list box itself, draws
// nothing when asked to print itself.
bool HostedWindow::Painting(HWND list) const
{
    SetPixel(PaintProbe, 1, 1, Unpainted);
    Ask(list, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(PaintProbe), PRF_CLIENT);
    return IsWindowVisible(list) && GetPixel(PaintProbe, 1, 1) != Unpainted;
}

bool HostedWindow::AllPainting() const
{
    return std::ranges::all_of(ListHandles, [this](HWND list) { return Painting(list); });
}

std::wstring HostedWindow::RowText(HWND list, int row) const
{
    const LRESULT length = Ask(list, LB_GETTEXTLEN, static_cast<WPARAM>(row));
    if (length < 0) {
        return L"(no row)";
    }
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    Ask(list, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}

void HostedWindow::Input(std::vector<INPUT> input, bool paint)
{
    if (SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT)) != input.size()) {
        throw std::runtime_error("the system took not all of the input");
    }
    Pump(paint);
}

void HostedWindow::Pump(bool paint)
{
    const UINT which =
        PM_REMOVE | (paint ? 0 : PM_QS_INPUT | PM_QS_POSTMESSAGE | PM_QS_SENDMESSAGE);
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, which)) {
        Handling = message.message;
        framework::win32::Form1Window::Dispatch(Window.Handle(), message);
        Handling = 0;
    }
}

bool HostedWindow::WaitUntilActive(HWND window)
{
    for (DWORD waited = 0; waited < ActivationTimeoutMilliseconds; waited += PollMilliseconds) {
        Pump();
        if (GetForegroundWindow() == window && GetActiveWindow() == window) {
            Pump();
            return true;
        }
        Sleep(PollMilliseconds);
    }
    return false;
}

void HostedWindow::Settle()
{
    for (DWORD waited = 0; waited < SettleMilliseconds; waited += PollMilliseconds) {
        Pump();
        Sleep(PollMilliseconds);
    }
    Pump();
}

std::vector<HWND> HostedWindow::OtherWindows() const
{
    std::vector<HWND> windows;
    EnumThreadWindows(GetCurrentThreadId(), CollectVisible, reinterpret_cast<LPARAM>(&windows));
    std::erase(windows, Window.Handle());
    return windows;
}

// A message box is being activated: what it says and when it came is noted, and it is closed
// as a user would close it.
LRESULT CALLBACK HostedWindow::WatchActivation(int code, WPARAM wParam, LPARAM lParam)
{
    HostedWindow* host = Watched;
    auto* box = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_ACTIVATE && host != nullptr && box != host->Handle() &&
        GetDlgItem(box, MessageBoxTextId) != nullptr) {
        wchar_t text[512]{};
        GetDlgItemTextW(box, MessageBoxTextId, text, 512);
        host->Boxes.push_back({text, host->Handling, host->AllPainting()});
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

INPUT MoveTo(POINT screen)
{
    // Absolute positions count 65536ths of the primary screen, and the system rounds them down
    // to pixels: rounded up here, each lands on its own pixel.
    const long width = GetSystemMetrics(SM_CXSCREEN);
    const long height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input = Mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE);
    input.mi.dx = static_cast<LONG>((screen.x * 65536L + width - 1) / width);
    input.mi.dy = static_cast<LONG>((screen.y * 65536L + height - 1) / height);
    return input;
}

INPUT Wheel(int notches)
{
    return Mouse(MOUSEEVENTF_WHEEL, static_cast<DWORD>(notches * WHEEL_DELTA));
}

std::vector<INPUT> ClickAt(POINT screen)
{
    return {MoveTo(screen), Mouse(MOUSEEVENTF_LEFTDOWN), Mouse(MOUSEEVENTF_LEFTUP)};
}

std::vector<INPUT> Press(WORD virtualKey, WORD held)
{
    if (held == 0) {
        return {Key(virtualKey, true), Key(virtualKey, false)};
    }
    return {Key(held, true), Key(virtualKey, true), Key(virtualKey, false), Key(held, false)};
}

POINT ScreenPoint(HWND control, POINT client)
{
    ClientToScreen(control, &client);
    return client;
}

POINT Middle(HWND control)
{
    const RECT client = ClientRect(control);
    return ScreenPoint(control, {client.right / 2, client.bottom / 2});
}

RECT ClientRect(HWND control)
{
    RECT rect{};
    GetClientRect(control, &rect);
    return rect;
}

POINT RowPoint(HWND list, int row)
{
    RECT rect{};
    SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect));
    return ScreenPoint(list, {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
}

// The vertical scroll bar stands right of the client area and as tall as it.
RECT ScrollBarRect(HWND list)
{
    const RECT client = ClientRect(list);
    const POINT topRight = ScreenPoint(list, {client.right, client.top});
    return {topRight.x, topRight.y, topRight.x + GetSystemMetrics(SM_CXVSCROLL),
            topRight.y + client.bottom};
}

} // namespace testing

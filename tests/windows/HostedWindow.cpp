#include "HostedWindow.h"

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

BOOL CALLBACK CollectLabel(HWND child, LPARAM labels)
{
    wchar_t className[16]{};
    GetClassNameW(child, className, 16);
    if (lstrcmpiW(className, L"Static") == 0) {
        reinterpret_cast<std::vector<HWND>*>(labels)->push_back(child);
    }
    return TRUE;
}

BOOL CALLBACK CollectVisible(HWND window, LPARAM windows)
{
    if (IsWindowVisible(window)) {
        reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    }
    return TRUE;
}

} // namespace

HostedWindow::HostedWindow(const form::FormDescription& description) : Window(description)
{
    Window.Load();
    for (int number = 1; number <= logic::ListCount; ++number) {
        ListHandles.at(static_cast<size_t>(number - 1)) =
            GetDlgItem(Window.Handle(), FirstListId + number);
    }
    EnumChildWindows(Window.Handle(), CollectLabel, reinterpret_cast<LPARAM>(&LabelHandles));
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
    HWND focus = GetFocus();
    for (int number = 1; number <= logic::ListCount; ++number) {
        if (focus == List(number)) {
            return number;
        }
    }
    return 0;
}

LRESULT HostedWindow::Ask(HWND list, UINT message, WPARAM wParam, LPARAM lParam) const
{
    return CallWindowProcW(ListBoxProcedure, list, message, wParam, lParam);
}

int HostedWindow::Selected(HWND list) const
{
    return static_cast<int>(Ask(list, LB_GETCURSEL));
}

int HostedWindow::Top(HWND list) const
{
    return static_cast<int>(Ask(list, LB_GETTOPINDEX));
}

// A list whose painting is suspended, by the window system or by the list box itself, draws
// nothing when asked to print itself.
bool HostedWindow::Painting(HWND list) const
{
    SetPixel(PaintProbe, 1, 1, Unpainted);
    Ask(list, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(PaintProbe), PRF_CLIENT);
    return IsWindowVisible(list) && GetPixel(PaintProbe, 1, 1) != Unpainted;
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

void HostedWindow::Input(const std::vector<INPUT>& events, bool paint)
{
    std::vector<INPUT> copy = events;
    if (SendInput(static_cast<UINT>(copy.size()), copy.data(), sizeof(INPUT)) != copy.size()) {
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
        bool painting = true;
        for (int number = 1; number <= logic::ListCount; ++number) {
            painting = painting && host->Painting(host->List(number));
        }
        host->Boxes.push_back({text, host->Handling, painting});
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
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>((screen.x * 65536L + width - 1) / width);
    input.mi.dy = static_cast<LONG>((screen.y * 65536L + height - 1) / height);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return input;
}

INPUT LeftButton(bool down)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    return input;
}

INPUT Wheel(int notches)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_WHEEL;
    input.mi.mouseData = static_cast<DWORD>(notches * WHEEL_DELTA);
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

std::vector<INPUT> ClickAt(POINT screen)
{
    return {MoveTo(screen), LeftButton(true), LeftButton(false)};
}

std::vector<INPUT> Press(WORD virtualKey)
{
    return {Key(virtualKey, true), Key(virtualKey, false)};
}

POINT ScreenPoint(HWND control, POINT client)
{
    ClientToScreen(control, &client);
    return client;
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

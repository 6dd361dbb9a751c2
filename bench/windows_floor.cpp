// The floor to measure the Windows program's start-up against: a Win32 program of the same kind
// with as little of its own as it can have. The same resources (icon, manifest with common
// controls 6 and per-monitor DPI awareness), the same window class and styles at the same
// client size, and one list box with the first column's design-time rows; no labels, no fonts
// worked out, no load procedure. The class is the program's own, so the tests' probe closes it too.
#include "form/Form1Description.h"
#include "form/Twips.h"
#include "framework/win32/Dpi.h"
#include "framework/win32/Text.h"

// commctrl.h needs windows.h before it.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

namespace {

constexpr wchar_t WindowClassName[] = L"Form1";
constexpr wchar_t Caption[] = L"Start-up floor";
constexpr DWORD WindowStyle = WS_OVERLAPPEDWINDOW;
constexpr DWORD WindowExStyle = WS_EX_CONTROLPARENT;
constexpr DWORD ListStyle =
    WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
constexpr int ListId = 101;
constexpr int IconResource = 1;

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool RegisterWindowClass(HINSTANCE instance)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &WindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = WindowClassName;
    windowClass.hIcon =
        static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IconResource), IMAGE_ICON,
                                      GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
    windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IconResource),
                                                        IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                        GetSystemMetrics(SM_CYSMICON), 0));
    return RegisterClassExW(&windowClass) != 0;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int showCommand)
{
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    if (!RegisterWindowClass(instance)) {
        return 1;
    }
    HWND window = CreateWindowExW(WindowExStyle, WindowClassName, Caption, WindowStyle,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                  nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        return 1;
    }
    const form::FormDescription& description = form::Form1Description();
    const form::ListDescription& first = description.Lists.front();
    // The DPI and frame as the program finds them.
    const framework::win32::Dpi dpi(framework::win32::DpiFunctions::OfSystem());
    const int dotsPerInch = dpi.OfWindow(window);
    const form::PixelRect bounds = form::TwipsToPixels(first.Bounds, dotsPerInch);
    HWND list =
        CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", nullptr, ListStyle, bounds.Left, bounds.Top,
                        bounds.Width, bounds.Height, window,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(ListId)), instance, nullptr);
    for (const std::string_view row : first.Rows) {
        SendMessageW(list, LB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(framework::win32::Widen(row).c_str()));
    }

    const SIZE frame =
        dpi.FrameSize({form::TwipsToPixels(description.Window.ClientWidth, dotsPerInch),
                       form::TwipsToPixels(description.Window.ClientHeight, dotsPerInch)},
                      WindowStyle, WindowExStyle, dotsPerInch);
    SetWindowPos(window, nullptr, 0, 0, frame.cx, frame.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    SetFocus(list);

    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageW(window, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return static_cast<int>(message.wParam);
}

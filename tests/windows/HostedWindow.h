#pragma once

#include "form/FormDescription.h"
#include "framework/win32/Form1Window.h"

#include <array>
#include <string>
#include <vector>
#include <windows.h>

namespace testing {

// The program's window, hosted in the test's own thread and run message by message as the
// program's loop runs it, so that a test knows when the input it sent has been dealt with. A
// message box is recorded and closed at once instead of waiting for a user.
class HostedWindow {
public:
    static constexpr int Rows = 113;

    struct MessageBoxSeen {
        std::wstring Text;
        UINT DuringMessage = 0;     // the message the program was handling when the box opened
        bool ListsPainting = false; // whether every list painted while it was open
    };

    // Where the lists stand: the focus as FocusedList gives it, then each list's selected and
    // top rows.
    struct State {
        int Focus = 0;
        std::array<int, logic::ListCount> Selected{};
        std::array<int, logic::ListCount> Top{};
    };

    explicit HostedWindow(const form::FormDescription& description,
                          const framework::win32::DpiFunctions& dpiFunctions =
                              framework::win32::DpiFunctions::OfSystem());
    ~HostedWindow();
    HostedWindow(const HostedWindow&) = delete;
    HostedWindow& operator=(const HostedWindow&) = delete;

    HWND Handle() const { return Window.Handle(); }
    HWND List(int number) const { return ListHandles.at(static_cast<size_t>(number - 1)); }
    // The header cells, in no particular order.
    const std::vector<HWND>& Labels() const { return LabelHandles; }
    // The number of the list with the keyboard focus, 0 for none of them.
    int FocusedList() const;
    // A list asked straight, past the program's own handling of its messages, which would
    // otherwise look for changes to report after every question the test asks.
    LRESULT Ask(HWND list, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    State Read() const;
    // Whether the list paints its rows, asked of the list itself.
    bool Painting(HWND list) const;
    bool AllPainting() const;
    std::wstring RowText(HWND list, int row) const;

    // Real input through the system's input queue, then every message it leads to handled;
    // without painting, the window paints later, as when input comes faster than it paints.
    void Input(std::vector<INPUT> input, bool paint = true);
    // Handles every message waiting, including those that come of handling them.
    void Pump(bool paint = true);
    // Waits, handling messages, until the window is the active one, as input needs it.
    bool WaitUntilActive(HWND window);
    // Handles messages for a moment, for what the window manager still has to say.
    void Settle();

    const std::vector<MessageBoxSeen>& MessageBoxes() const { return Boxes; }
    // Every visible top-level window of the program but this one.
    std::vector<HWND> OtherWindows() const;

private:
    static LRESULT CALLBACK WatchActivation(int code, WPARAM wParam, LPARAM lParam);

    framework::win32::Form1Window Window;
    std::vector<HWND> LabelHandles;
    // Asked once: finding a child window asks the window server, and the lists are asked for
    // after every event.
    std::array<HWND, logic::ListCount> ListHandles{};
    HHOOK Hook = nullptr;
    UINT Handling = 0;
    std::vector<MessageBoxSeen> Boxes;
    WNDPROC ListBoxProcedure = nullptr;
    HDC PaintProbe = nullptr;
    HBITMAP PaintProbeBitmap = nullptr;
};

// Input events, as SendInput takes them.
INPUT MoveTo(POINT screen);
INPUT Wheel(int notches);
std::vector<INPUT> ClickAt(POINT screen);
// A key pressed and released, while `held` (a modifier, 0 for none) is held down.
std::vector<INPUT> Press(WORD virtualKey, WORD held = 0);

// Screen points of a control's parts.
POINT RowPoint(HWND list, int row);
POINT ScreenPoint(HWND control, POINT client);
POINT Middle(HWND control);
RECT ClientRect(HWND control);
RECT ScrollBarRect(HWND list);

} // namespace testing

// Reads the running program's window from another process, as an accessibility tool or a
// tester would: the lists' texts, selected and top rows, the focused control, where rows stand.
//
//   probe table                       every row across, columns in screen order, "|a|b|...|"
//   probe point LIST ROW              screen x and y of the middle of a list's row
//   probe bar LIST                    screen x and y of the down arrow of a list's scroll bar
//   probe size                        the window's client width and height in pixels
//   probe close                       asks the window to close, as its close button does
//   probe expect FOCUS SELECTED TOP   waits until the lists are in that state:
//       FOCUS     the number of the list with the focus, or "-"
//       SELECTED  the row selected in every list: N, "same" (one row, any), ">N", or "-"
//       TOP       the top row of every list, in the same forms
// Exit status 0 on success, 1 with the state seen printed otherwise.

#include "framework/win32/Text.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#include <vector>
#include <windows.h>

namespace {

constexpr int ListCount = 7;
constexpr int FirstListId = 100;
constexpr DWORD TimeoutMilliseconds = 10000;
constexpr DWORD PollMilliseconds = 25;

HWND MainWindow()
{
    for (DWORD waited = 0; waited < TimeoutMilliseconds; waited += PollMilliseconds) {
        HWND window = FindWindowW(L"Form1", nullptr);
        if (window != nullptr && IsWindowVisible(window)) {
            return window;
        }
        Sleep(PollMilliseconds);
    }
    std::fprintf(stderr, "no window of class Form1\n");
    std::exit(1);
}

HWND List(HWND window, int number)
{
    return GetDlgItem(window, FirstListId + number);
}

std::wstring RowText(HWND list, int row)
{
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(row), 0);
    std::wstring text(static_cast<size_t>(std::max<LRESULT>(length, 0)) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(std::max<LRESULT>(length, 0)));
    return text;
}

int PrintTable(HWND window)
{
    std::vector<HWND> columns;
    for (int number = 1; number <= ListCount; ++number) {
        columns.push_back(List(window, number));
    }
    std::ranges::sort(columns, {}, [](HWND list) {
        RECT rect{};
        GetWindowRect(list, &rect);
        return rect.left;
    });
    LRESULT rows = 0;
    for (HWND list : columns) {
        rows = std::max(rows, SendMessageW(list, LB_GETCOUNT, 0, 0));
    }
    for (int row = 0; row < rows; ++row) {
        std::string line = "|";
        for (HWND list : columns) {
            line += framework::win32::Narrow(RowText(list, row)) + "|";
        }
        std::printf("%s\n", line.c_str());
    }
    return 0;
}

int PrintScreenPoint(HWND list, POINT client)
{
    ClientToScreen(list, &client);
    std::printf("%ld %ld\n", client.x, client.y);
    return 0;
}

int PrintPoint(HWND list, int row)
{
    RECT rect{};
    SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect));
    return PrintScreenPoint(list, {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
}

// The vertical scroll bar stands right of the client area and as tall as it.
int PrintDownArrow(HWND list)
{
    RECT client{};
    GetClientRect(list, &client);
    return PrintScreenPoint(list, {client.right + GetSystemMetrics(SM_CXVSCROLL) / 2,
                                   client.bottom - GetSystemMetrics(SM_CYVSCROLL) / 2});
}

struct State {
    int Focus = 0; // list number, 0 for none of them
    std::array<int, ListCount> Selected{};
    std::array<int, ListCount> Top{};
};

State Read(HWND window)
{
    State state;
    GUITHREADINFO thread{};
    thread.cbSize = sizeof(thread);
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread);
    for (int number = 1; number <= ListCount; ++number) {
        HWND list = List(window, number);
        if (thread.hwndFocus == list) {
            state.Focus = number;
        }
        state.Selected.at(number - 1) = static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0));
        state.Top.at(number - 1) = static_cast<int>(SendMessageW(list, LB_GETTOPINDEX, 0, 0));
    }
    return state;
}

// "-" matches anything; otherwise every list holds one value, which "N" or ">N" constrains.
bool Matches(const std::array<int, ListCount>& values, const std::string& wanted)
{
    if (wanted == "-") {
        return true;
    }
    if (std::ranges::any_of(values, [&values](int value) { return value != values[0]; })) {
        return false;
    }
    if (wanted == "same") {
        return values[0] >= 0;
    }
    if (wanted.starts_with(">")) {
        return values[0] > std::stoi(wanted.substr(1));
    }
    return values[0] == std::stoi(wanted);
}

std::string Describe(const State& state)
{
    std::string text = "focus List" + std::to_string(state.Focus);
    const auto add = [&text](const char* name, const std::array<int, ListCount>& values) {
        text += name;
        for (const int value : values) {
            text += " " + std::to_string(value);
        }
    };
    add("; selected", state.Selected);
    add("; top", state.Top);
    return text;
}

int Expect(HWND window, const std::string& focus, const std::string& selected,
           const std::string& top)
{
    State state;
    for (DWORD waited = 0; waited < TimeoutMilliseconds; waited += PollMilliseconds) {
        state = Read(window);
        if ((focus == "-" || state.Focus == std::stoi(focus)) &&
            Matches(state.Selected, selected) && Matches(state.Top, top)) {
            std::printf("%s\n", Describe(state).c_str());
            return 0;
        }
        Sleep(PollMilliseconds);
    }
    std::printf("expected focus %s, selected %s, top %s; saw %s\n", focus.c_str(), selected.c_str(),
                top.c_str(), Describe(state).c_str());
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    // In pixels as the window has them: Wine 10 scales what a program unaware of DPI is told, and
    // its one desktop has the system's DPI.
    SetProcessDPIAware();
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (arguments.empty()) {
        return 2;
    }
    HWND window = MainWindow();
    if (arguments[0] == "table") {
        return PrintTable(window);
    }
    if (arguments[0] == "point" && arguments.size() == 3) {
        return PrintPoint(List(window, std::stoi(arguments[1])), std::stoi(arguments[2]));
    }
    if (arguments[0] == "bar" && arguments.size() == 2) {
        return PrintDownArrow(List(window, std::stoi(arguments[1])));
    }
    if (arguments[0] == "size") {
        RECT client{};
        GetClientRect(window, &client);
        std::printf("%ld %ld\n", client.right, client.bottom);
        return 0;
    }
    if (arguments[0] == "close") {
        return PostMessageW(window, WM_CLOSE, 0, 0) ? 0 : 1;
    }
    if (arguments[0] == "expect" && arguments.size() == 4) {
        return Expect(window, arguments[1], arguments[2], arguments[3]);
    }
    return 2;
}

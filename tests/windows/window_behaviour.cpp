// What the window does beyond its lists' own events, under Wine with real input:
//
//   window_behaviour error_box    a failing control operation during a selection shows one
//                                 message box after the event, and the program goes on
//   window_behaviour reactivation the list that had the focus has it again when the window is
//                                 activated again
//   window_behaviour dpi_change   WM_DPICHANGED lays the window out anew, back as launched
//   window_behaviour list_texts   each list's window text is its scale cell's caption; Ctrl+C
//                                 copies the selected value, and with none selected, nothing

#include "HostedWindow.h"
#include "form/Form1Description.h"
#include "form/Headers.h"
#include "framework/win32/Text.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

using testing::HostedWindow;

namespace {

constexpr int NewDotsPerInch = 144;

int Failures = 0;

void Expect(bool condition, const std::string& what)
{
    std::printf("%s: %s\n", condition ? "ok  " : "FAIL", what.c_str());
    Failures += condition ? 0 : 1;
}

bool IsInput(UINT message)
{
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
           (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK);
}

bool AllSelect(const HostedWindow& window, int row)
{
    return std::ranges::count(window.Read().Selected, row) == logic::ListCount;
}

// --- error_box ------------------------------------------------------------------------------

// The HSh column cut to its first rows: selecting a row below them elsewhere makes the step
// that selects it in HSh fail.
constexpr int ShortListNumber = 6;
constexpr int ShortListRows = 5;

struct FailingSelection {
    const char* Name;
    std::function<std::vector<INPUT>(const HostedWindow&)> Input;
};

// Each selects a row that HSh lacks without scrolling, so that only the click procedure fails.
const FailingSelection FailingSelections[] = {
    {"a click on HB's row 10",
     [](const HostedWindow& window) {
         return testing::ClickAt(testing::RowPoint(window.List(1), 10));
     }},
    {"Down in HB", [](const HostedWindow& /*window*/) { return testing::Press(VK_DOWN); }},
};

void ErrorBox()
{
    const form::FormDescription& complete = form::Form1Description();
    std::vector<form::ListDescription> lists(complete.Lists.begin(), complete.Lists.end());
    for (form::ListDescription& list : lists) {
        if (list.Number == ShortListNumber) {
            list.Rows = list.Rows.first(ShortListRows);
        }
    }
    form::FormDescription shortened = complete;
    shortened.Lists = lists;

    for (const FailingSelection& selection : FailingSelections) {
        std::printf("--- %s\n", selection.Name);
        HostedWindow window(shortened);
        Expect(window.WaitUntilActive(window.Handle()), "the window is active");
        window.Input(testing::ClickAt(testing::RowPoint(window.List(1), ShortListRows - 1)));
        Expect(AllSelect(window, ShortListRows - 1) && window.MessageBoxes().empty(),
               "a row every list holds is selected everywhere, no message box");

        window.Input(selection.Input(window));
        const auto& boxes = window.MessageBoxes();
        Expect(boxes.size() == 1, "one message box, saw " + std::to_string(boxes.size()));
        if (!boxes.empty()) {
            Expect(boxes[0].Text.find(L"List6") != std::wstring::npos, "it names List6");
            Expect(!IsInput(boxes[0].DuringMessage),
                   "it opened after the input was handled, not inside it");
            Expect(boxes[0].ListsPainting, "every list painted while it was open");
        }
        Expect(window.AllPainting(), "every list paints once it is closed");
        Expect(window.OtherWindows().empty(), "no other window is left open");

        window.Input(testing::ClickAt(testing::RowPoint(window.List(2), 3)));
        Expect(AllSelect(window, 3) && window.MessageBoxes().size() == 1 &&
                   window.FocusedList() == 2,
               "the program goes on: a click on HV's row 3 selects it everywhere");
    }
}

// --- reactivation ---------------------------------------------------------------------------

// A plain window of another program's kind, beside ours, for the user to switch to.
class OtherWindow {
public:
    explicit OtherWindow(HWND beside)
    {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        windowClass.lpszClassName = L"OtherWindow";
        RegisterClassW(&windowClass);
        RECT frame{};
        GetWindowRect(beside, &frame);
        Window = CreateWindowExW(0, L"OtherWindow", L"another window",
                                 WS_OVERLAPPEDWINDOW | WS_VISIBLE, frame.right + 20, frame.top, 200,
                                 150, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    ~OtherWindow() { DestroyWindow(Window); }
    OtherWindow(const OtherWindow&) = delete;
    OtherWindow& operator=(const OtherWindow&) = delete;

    HWND Handle() const { return Window; }

private:
    HWND Window = nullptr;
};

void Reactivation()
{
    HostedWindow window(form::Form1Description());
    Expect(window.WaitUntilActive(window.Handle()), "the window is active");
    OtherWindow other(window.Handle());
    // The window manager activates a new window as it maps it: that is over before the test.
    window.Input(testing::ClickAt(testing::Middle(other.Handle())));
    Expect(window.WaitUntilActive(other.Handle()), "the other window is shown and active");
    window.Settle();
    for (int number = 1; number <= logic::ListCount; ++number) {
        std::printf("--- List%d\n", number);
        window.Input(testing::ClickAt(testing::RowPoint(window.List(number), 1)));
        Expect(window.WaitUntilActive(window.Handle()) && window.FocusedList() == number,
               "a click on a row activates ours and puts the focus in its list");

        window.Input(testing::ClickAt(testing::Middle(other.Handle())));
        Expect(window.WaitUntilActive(other.Handle()), "a click on the other window activates it");
        Expect(window.FocusedList() == 0, "no list of ours holds the focus meanwhile");

        // A header cell takes no focus of its own: the click only activates the window.
        window.Input(testing::ClickAt(testing::Middle(window.Labels().front())));
        Expect(window.WaitUntilActive(window.Handle()), "a click on a header cell activates ours");
        const int focused = window.FocusedList();
        std::string what = "the focus is back in List" + std::to_string(number);
        if (focused != number) {
            what +=
                focused == 0 ? ", found in no list" : ", found in List" + std::to_string(focused);
        }
        Expect(focused == number, what);
    }
}

// --- dpi_change -----------------------------------------------------------------------------

// Each control's place in the client area and its font's height, one control a line, by id;
// then the window's outer size.
std::string Layout(HWND window)
{
    std::map<int, std::string> lines;
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        RECT rect{};
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)), sizeof(font),
                   &font);
        std::ostringstream line;
        line << "control " << GetDlgCtrlID(child) << ": " << rect.left << "," << rect.top << " "
             << rect.right - rect.left << "x" << rect.bottom - rect.top << ", font height "
             << font.lfHeight;
        lines[GetDlgCtrlID(child)] = line.str();
    }
    std::string layout;
    for (const auto& [id, line] : lines) {
        layout += line + "\n";
    }
    RECT frame{};
    GetWindowRect(window, &frame);
    layout += "window " + std::to_string(frame.right - frame.left) + "x" +
              std::to_string(frame.bottom - frame.top) + "\n";
    return layout;
}

// WM_DPICHANGED with the window rectangle the system would suggest for the new DPI.
std::string ChangeDpi(HostedWindow& window, UINT dotsPerInch, SIZE frame)
{
    RECT suggested{};
    GetWindowRect(window.Handle(), &suggested);
    suggested.right = suggested.left + frame.cx;
    suggested.bottom = suggested.top + frame.cy;
    SendMessageW(window.Handle(), WM_DPICHANGED, MAKEWPARAM(dotsPerInch, dotsPerInch),
                 reinterpret_cast<LPARAM>(&suggested));
    window.Pump();
    return Layout(window.Handle());
}

// Lines that stand the same in both layouts: a control or font the change left behind.
int UnchangedLines(const std::string& before, const std::string& after)
{
    std::istringstream first(before);
    std::istringstream second(after);
    int same = 0;
    for (std::string a, b; std::getline(first, a) && std::getline(second, b);) {
        same += a == b ? 1 : 0;
    }
    return same;
}

// A session's DPI is fixed once read (Wine 10 keeps it for the whole session, so a second
// process cannot be launched at another): the window goes to 144 and back to the DPI it was
// launched at, where it must be laid out exactly as launched.
void DpiChange()
{
    HostedWindow window(form::Form1Description());
    const UINT launchedAt = GetDpiForWindow(window.Handle());
    const std::string launched = Layout(window.Handle());
    RECT frame{};
    GetWindowRect(window.Handle(), &frame);
    const SIZE launchedFrame{frame.right - frame.left, frame.bottom - frame.top};
    const SIZE scaledFrame{MulDiv(launchedFrame.cx, NewDotsPerInch, static_cast<int>(launchedAt)),
                           MulDiv(launchedFrame.cy, NewDotsPerInch, static_cast<int>(launchedAt))};
    const std::string scaled = ChangeDpi(window, NewDotsPerInch, scaledFrame);
    Expect(launchedAt != NewDotsPerInch, "the window was launched at another DPI than 144");
    Expect(UnchangedLines(launched, scaled) == 0, "at 144 every control and its font changed");
    const std::string back = ChangeDpi(window, launchedAt, launchedFrame);
    Expect(back == launched, "back at the launch DPI, controls, fonts and size are as launched");
    if (back != launched || UnchangedLines(launched, scaled) != 0) {
        std::printf("launched:\n%s\nat 144:\n%s\nback:\n%s", launched.c_str(), scaled.c_str(),
                    back.c_str());
    }
}

// --- list_texts -----------------------------------------------------------------------------

std::wstring ClipboardText()
{
    std::wstring text;
    if (OpenClipboard(nullptr)) {
        if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
            text = static_cast<const wchar_t*>(GlobalLock(data));
            GlobalUnlock(data);
        }
        CloseClipboard();
    }
    return text;
}

void ListTexts()
{
    const form::FormDescription& description = form::Form1Description();
    HostedWindow window(description);
    for (const form::ListDescription& list : description.Lists) {
        wchar_t text[64]{};
        GetWindowTextW(window.List(list.Number), text, 64);
        Expect(text == framework::win32::Widen(form::HeadersOf(description, list).Scale->Caption),
               "List" + std::to_string(list.Number) + " is named by its scale cell");
    }
    Expect(window.WaitUntilActive(window.Handle()), "the window is active");
    const std::vector<INPUT> ctrlC = testing::Press('C', VK_CONTROL);
    const DWORD untouched = GetClipboardSequenceNumber();
    window.Input(ctrlC);
    Expect(GetClipboardSequenceNumber() == untouched, "with no row selected, nothing is copied");
    window.Input(testing::ClickAt(testing::RowPoint(window.List(2), 3)));
    window.Input(ctrlC);
    Expect(GetClipboardSequenceNumber() != untouched &&
               ClipboardText() == window.RowText(window.List(2), 3) && AllSelect(window, 3),
           "Ctrl+C copies the selected value and moves nothing");
}

} // namespace

int main(int argc, char** argv)
{
    const std::string behaviour = argc > 1 ? argv[1] : "";
    const std::map<std::string, void (*)()> behaviours{{"error_box", ErrorBox},
                                                       {"reactivation", Reactivation},
                                                       {"dpi_change", DpiChange},
                                                       {"list_texts", ListTexts}};
    const auto found = behaviours.find(behaviour);
    if (found == behaviours.end()) {
        std::printf("usage: window_behaviour error_box|reactivation|dpi_change|list_texts\n");
        return 2;
    }
    found->second();
    std::printf("%s\n", Failures == 0 ? "every check passed" : "some checks failed");
    return Failures == 0 ? 0 : 1;
}

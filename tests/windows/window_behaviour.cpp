// What the window does beyond its lists' own events, under Wine with real input:
//
//   window_behaviour start_failure a window description without List4 cannot be loaded: the
//                                 error is reported, the start ends with status 1, no window
//   window_behaviour error_box    a failing control operation during a selection shows one
//                                 message box after the event, and the program goes on
//   window_behaviour reactivation the list that had the focus has it again when the window is
//                                 activated again
//   window_behaviour dpi_change   WM_DPICHANGED lays the window out anew, back as launched
//   window_behaviour dpi_fallback DPI
//                                 in a session at DPI, the window with only the DPI functions of
//                                 Windows 8.1, and with none as on 7, lays out as with all of
//                                 them: as launched and, on 8.1's way, after WM_DPICHANGED
//   window_behaviour list_texts   each list's window text is its scale cell's caption; Ctrl+C
//                                 copies the selected value, and with none selected, nothing

#include "HostedWindow.h"
#include "form/Form1Description.h"
#include "form/Headers.h"
#include "framework/win32/Dpi.h"
#include "framework/win32/Program.h"
#include "framework/win32/Text.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

using framework::win32::DpiFunctions;
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

// --- start_failure --------------------------------------------------------------------------

void StartFailure()
{
    form::FormDescription broken = form::Form1Description();
    std::vector<form::ListDescription> lists(broken.Lists.begin(), broken.Lists.end());
    std::erase_if(lists, [](const form::ListDescription& list) { return list.Number == 4; });
    broken.Lists = lists;
    std::wstring reported;
    const int status = framework::win32::Run(
        broken, SW_SHOWNORMAL, [&reported](const std::wstring& message) { reported = message; });
    Expect(status == 1, "the start ends with status 1, saw " + std::to_string(status));
    Expect(reported.find(L"List4") != std::wstring::npos,
           "the error reported names List4: " + framework::win32::Narrow(reported));
    Expect(FindWindowW(L"Form1", nullptr) == nullptr, "no window is left");
}

// --- error_box ------------------------------------------------------------------------------

// The HSh column cut to its first rows: selecting a row below them elsewhere makes the step
// that selects it in HSh fail.
constexpr int ShortListNumber = 6;
constexpr int ShortListRows = 5;

void ErrorBox()
{
    const form::FormDescription& complete = form::Form1Description();
    std::vector<form::ListDescription> lists(complete.Lists.begin(), complete.Lists.end());
    auto& shortList = *std::ranges::find(lists, ShortListNumber, &form::ListDescription::Number);
    shortList.Rows = shortList.Rows.first(ShortListRows);
    form::FormDescription shortened = complete;
    shortened.Lists = lists;

    // Each selects a row that HSh lacks without scrolling, so that only the click procedure
    // fails: a click on HB's row 10, or Down in HB.
    for (const bool byKey : {false, true}) {
        std::printf("--- %s\n", byKey ? "Down in HB" : "a click on HB's row 10");
        HostedWindow window(shortened);
        Expect(window.WaitUntilActive(window.Handle()), "the window is active");
        window.Input(testing::ClickAt(testing::RowPoint(window.List(1), ShortListRows - 1)));
        Expect(AllSelect(window, ShortListRows - 1) && window.MessageBoxes().empty(),
               "a row every list holds is selected everywhere, no message box");

        window.Input(byKey ? testing::Press(VK_DOWN)
                           : testing::ClickAt(testing::RowPoint(window.List(1), 10)));
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
HWND CreateOtherWindow(HWND beside)
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = L"OtherWindow";
    RegisterClassW(&windowClass);
    RECT frame{};
    GetWindowRect(beside, &frame);
    return CreateWindowExW(0, L"OtherWindow", L"another window", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                           frame.right + 20, frame.top, 200, 150, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

void Reactivation()
{
    HostedWindow window(form::Form1Description());
    Expect(window.WaitUntilActive(window.Handle()), "the window is active");
    HWND other = CreateOtherWindow(window.Handle());
    // The window manager activates a new window as it maps it: that is over before the test.
    window.Input(testing::ClickAt(testing::Middle(other)));
    Expect(window.WaitUntilActive(other), "the other window is shown and active");
    window.Settle();
    for (int number = 1; number <= logic::ListCount; ++number) {
        std::printf("--- List%d\n", number);
        window.Input(testing::ClickAt(testing::RowPoint(window.List(number), 1)));
        Expect(window.WaitUntilActive(window.Handle()) && window.FocusedList() == number,
               "a click on a row activates ours and puts the focus in its list");

        window.Input(testing::ClickAt(testing::Middle(other)));
        Expect(window.WaitUntilActive(other), "a click on the other window activates it");
        Expect(window.FocusedList() == 0, "no list of ours holds the focus meanwhile");

        // A header cell takes no focus of its own: the click only activates the window.
        window.Input(testing::ClickAt(testing::Middle(window.Labels().front())));
        Expect(window.WaitUntilActive(window.Handle()), "a click on a header cell activates ours");
        const int focused = window.FocusedList();
        Expect(focused == number, "the focus is back in List" + std::to_string(number) +
                                      " (found in list " + std::to_string(focused) +
                                      ", 0 for none)");
    }
    DestroyWindow(other);
}

// --- dpi_change -----------------------------------------------------------------------------

// Each control's place in the client area and its font's height, one control a line in the
// order of the controls, which a change of DPI keeps; then the window's outer size.
std::string Layout(HWND window)
{
    std::ostringstream layout;
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        RECT rect{};
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)), sizeof(font),
                   &font);
        layout << "control " << GetDlgCtrlID(child) << ": " << rect.left << "," << rect.top << " "
               << rect.right - rect.left << "x" << rect.bottom - rect.top << ", font height "
               << font.lfHeight << "\n";
    }
    RECT frame{};
    GetWindowRect(window, &frame);
    layout << "window " << frame.right - frame.left << "x" << frame.bottom - frame.top << "\n";
    return layout.str();
}

// WM_DPICHANGED from one DPI to another, with the window rectangle the system would suggest: the
// window's own, scaled.
std::string ChangeDpi(HostedWindow& window, int from, int to)
{
    RECT suggested{};
    GetWindowRect(window.Handle(), &suggested);
    suggested.right = suggested.left + MulDiv(suggested.right - suggested.left, to, from);
    suggested.bottom = suggested.top + MulDiv(suggested.bottom - suggested.top, to, from);
    SendMessageW(window.Handle(), WM_DPICHANGED, MAKEWPARAM(to, to),
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
    const int launchedAt =
        framework::win32::Dpi(DpiFunctions::OfSystem()).OfWindow(window.Handle());
    const std::string launched = Layout(window.Handle());
    const std::string scaled = ChangeDpi(window, launchedAt, NewDotsPerInch);
    Expect(launchedAt != NewDotsPerInch, "the window was launched at another DPI than 144");
    Expect(UnchangedLines(launched, scaled) == 0, "at 144 every control and its font changed");
    const std::string back = ChangeDpi(window, NewDotsPerInch, launchedAt);
    Expect(back == launched, "back at the launch DPI, controls, fonts and size are as launched");
    if (back != launched || UnchangedLines(launched, scaled) != 0) {
        std::printf("launched:\n%s\nat 144:\n%s\nback:\n%s", launched.c_str(), scaled.c_str(),
                    back.c_str());
    }
}

// --- dpi_fallback ---------------------------------------------------------------------------

constexpr std::array TestedDotsPerInch{96, 120, 144};

// The window's layout as launched, then, if the system sends it WM_DPICHANGED, at each other
// tested DPI in turn; each with the DPI it is at.
std::vector<std::pair<int, std::string>> Layouts(const DpiFunctions& functions, int launchedAt,
                                                 bool dpiChanges)
{
    HostedWindow window(form::Form1Description(), functions);
    std::vector<std::pair<int, std::string>> layouts{{launchedAt, Layout(window.Handle())}};
    for (const int dotsPerInch : TestedDotsPerInch) {
        if (dpiChanges && dotsPerInch != layouts.back().first) {
            layouts.emplace_back(dotsPerInch, ChangeDpi(window, layouts.back().first, dotsPerInch));
        }
    }
    return layouts;
}

// The per-monitor v2 path is the reference: Wine has every function it takes.
void DpiFallback(int sessionDotsPerInch)
{
    const DpiFunctions& newest = DpiFunctions::OfSystem();
    Expect(newest.GetDpiForWindow != nullptr && newest.AdjustWindowRectExForDpi != nullptr &&
               newest.SystemParametersInfoForDpi != nullptr && newest.GetDpiForMonitor != nullptr,
           "every newer DPI function is found");
    HDC screen = GetDC(nullptr);
    const int systemDotsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    Expect(systemDotsPerInch == sessionDotsPerInch,
           "the session is at " + std::to_string(sessionDotsPerInch) + " dpi, saw " +
               std::to_string(systemDotsPerInch));

    DpiFunctions perMonitor;
    perMonitor.GetDpiForMonitor = newest.GetDpiForMonitor;
    struct OlderSystem {
        std::string Name;
        DpiFunctions Functions;
        bool DpiChanges;
    };
    const std::array<OlderSystem, 2> systems{
        {{"Windows 8.1 (per monitor, v1)", perMonitor, true}, {"Windows 7", {}, false}}};

    const auto reference = Layouts(newest, sessionDotsPerInch, true);
    for (const OlderSystem& system : systems) {
        const auto layouts = Layouts(system.Functions, sessionDotsPerInch, system.DpiChanges);
        for (size_t k = 0; k < layouts.size(); ++k) {
            const auto& [dotsPerInch, layout] = layouts[k];
            const std::string& expected = reference.at(k).second;
            // After a change every control and font must have changed, or the check could pass
            // with both left as launched; back at the launch DPI, all is as launched.
            const bool laidOutAnew = dotsPerInch == sessionDotsPerInch
                                         ? layout == reference[0].second
                                         : UnchangedLines(reference[0].second, layout) == 0;
            Expect(layout == expected && laidOutAnew,
                   system.Name + (k == 0 ? " launched at " : " after WM_DPICHANGED to ") +
                       std::to_string(dotsPerInch) + " dpi lays out as per-monitor v2");
            if (layout != expected || !laidOutAnew) {
                std::printf("per-monitor v2:\n%s\n%s:\n%s", expected.c_str(), system.Name.c_str(),
                            layout.c_str());
            }
        }
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
    const int dotsPerInch = argc > 2 ? std::atoi(argv[2]) : 0;
    const std::map<std::string, std::function<void()>> behaviours{
        {"start_failure", StartFailure},
        {"error_box", ErrorBox},
        {"reactivation", Reactivation},
        {"dpi_change", DpiChange},
        {"dpi_fallback", [dotsPerInch] { DpiFallback(dotsPerInch); }},
        {"list_texts", ListTexts}};
    const auto found = behaviours.find(behaviour);
    if (found == behaviours.end()) {
        std::printf(
            "usage: window_behaviour start_failure|error_box|reactivation|dpi_change|list_texts\n"
            "       window_behaviour dpi_fallback DPI\n");
        return 2;
    }
    found->second();
    std::printf("%s\n", Failures == 0 ? "every check passed" : "some checks failed");
    return Failures == 0 ? 0 : 1;
}

// Drives the program's window under Wine with random real input through the system's input
// queue and checks after every event what must always hold. A failure names the seed, the event
// and the events before it. `random_input SEED [EVENTS]` replays one seed alone, under the same
// set-up as the test (WINE_RUN_WINDOW_MANAGER=1 in its place runs it on X under a window manager):
//   WINE_RUN_DISPLAY=none scripts/wine-run.sh build-windows/tests/windows/random_input.exe SEED
// A replay sends the same input; only whether typed digits continue the search before them can
// differ, as the window times typed characters by the clock when it reads them.

#include "HostedWindow.h"
#include "form/Form1Description.h"
#include "framework/win32/Text.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <vector>

using framework::win32::Narrow;
using testing::HostedWindow;

namespace {

constexpr int DefaultEventsPerSeed = 5000;
constexpr unsigned FixedSeeds[] = {11, 2024, 777};
constexpr int StepsShownOnFailure = 30;
constexpr int MaxTypedNumber = 1000;
constexpr int MaxWheelNotches = 3;
// Input carries its own times, so that a replay double-clicks where the first run did: most
// events come after a pause longer than a double click, some quickly after the one before, and
// typed digits quickly after each other.
constexpr DWORD PauseMilliseconds = 1000;
constexpr DWORD QuickMilliseconds = 50;
constexpr DWORD KeystrokeMilliseconds = 20;
constexpr int QuickOneIn = 4;
// The window paints after every few events, as when input comes faster than it paints.
constexpr int PaintEvery = 16;

enum class Kind { RowClick, HeaderClick, ScrollBarClick, Wheel, Key, Typing, Tab };

struct Event {
    Kind What = Kind::RowClick;
    int Target = 0; // the list clicked, scrolled or typed into
    std::vector<INPUT> Input;
    std::string Description;
};

class RandomInput {
public:
    explicit RandomInput(unsigned seed) : Seed(seed), Random(seed) {}

    // Whether every event kept the window whole; what went wrong, or a tally, is printed.
    bool Run(int events);

private:
    int Pick(int below) { return static_cast<int>(Random() % static_cast<unsigned>(below)); }
    Event Next();
    std::string Check(const Event& event, const HostedWindow::State& before);
    std::string Failure(int events);
    void Stamp(std::vector<INPUT>& input);

    unsigned Seed;
    std::mt19937 Random;
    DWORD Clock = GetTickCount();
    std::optional<HostedWindow> Window;
    std::array<std::vector<std::wstring>, logic::ListCount> Texts;
    std::deque<std::string> Steps;
    int SelectionChanges = 0;
    int Scrolls = 0;
    int FocusChanges = 0;
};

Event RandomInput::Next()
{
    const int number = 1 + Pick(logic::ListCount);
    HWND list = Window->List(number);
    const std::string name = "List" + std::to_string(number);
    const int focused = Window->FocusedList();
    const std::string inFocused = " in List" + std::to_string(focused);
    const int kind = Pick(100);
    if (kind < 25) {
        const RECT client = testing::ClientRect(list);
        const POINT at{1 + Pick(client.right - 2), Pick(client.bottom)};
        return {Kind::RowClick, number, testing::ClickAt(testing::ScreenPoint(list, at)),
                "click " + name + " at " + std::to_string(at.x) + "," + std::to_string(at.y)};
    }
    if (kind < 28) {
        const auto& labels = Window->Labels();
        HWND label = labels.at(static_cast<size_t>(Pick(static_cast<int>(labels.size()))));
        return {Kind::HeaderClick, 0, testing::ClickAt(testing::Middle(label)),
                "click header cell " + std::to_string(GetDlgCtrlID(label))};
    }
    if (kind < 38) {
        const RECT bar = testing::ScrollBarRect(list);
        const POINT at{(bar.left + bar.right) / 2, bar.top + Pick(bar.bottom - bar.top)};
        return {Kind::ScrollBarClick, number, testing::ClickAt(at),
                "click " + name + "'s scroll bar at " + std::to_string(at.y - bar.top)};
    }
    if (kind < 50) {
        const int notches = (1 + Pick(MaxWheelNotches)) * (Pick(2) == 0 ? 1 : -1);
        const RECT client = testing::ClientRect(list);
        const POINT at = testing::ScreenPoint(list, {client.right / 2, Pick(client.bottom)});
        return {Kind::Wheel,
                number,
                {testing::MoveTo(at), testing::Wheel(notches)},
                "wheel over " + name + " by " + std::to_string(notches)};
    }
    if (kind < 75) {
        static constexpr std::array<std::pair<WORD, const char*>, 6> Keys{{{VK_UP, "Up"},
                                                                           {VK_DOWN, "Down"},
                                                                           {VK_PRIOR, "Page Up"},
                                                                           {VK_NEXT, "Page Down"},
                                                                           {VK_HOME, "Home"},
                                                                           {VK_END, "End"}}};
        const auto& [key, keyName] = Keys.at(static_cast<size_t>(Pick(Keys.size())));
        return {Kind::Key, focused, testing::Press(key), std::string("key ") + keyName + inFocused};
    }
    if (kind < 85) {
        const std::string digits = std::to_string(Pick(MaxTypedNumber));
        Event event{Kind::Typing, focused, {}, "type " + digits + inFocused};
        for (const char digit : digits) {
            std::ranges::copy(testing::Press(static_cast<WORD>(digit)),
                              std::back_inserter(event.Input));
        }
        return event;
    }
    const bool back = Pick(2) == 0;
    return {Kind::Tab, focused, testing::Press(VK_TAB, back ? VK_SHIFT : 0),
            (back ? "shift+tab from List" : "tab from List") + std::to_string(focused)};
}

void RandomInput::Stamp(std::vector<INPUT>& input)
{
    Clock += Pick(QuickOneIn) == 0 ? QuickMilliseconds : PauseMilliseconds;
    for (INPUT& event : input) {
        if (event.type == INPUT_KEYBOARD) {
            if ((event.ki.dwFlags & KEYEVENTF_KEYUP) == 0) {
                Clock += KeystrokeMilliseconds;
            }
            event.ki.time = Clock;
        } else {
            event.mi.time = Clock;
        }
    }
}

std::string Describe(const std::array<int, logic::ListCount>& values)
{
    std::string text;
    for (const int value : values) {
        text += " " + std::to_string(value);
    }
    return text;
}

bool AllEqual(const std::array<int, logic::ListCount>& values)
{
    return std::ranges::all_of(values, [&values](int value) { return value == values[0]; });
}

std::string RandomInput::Check(const Event& event, const HostedWindow::State& before)
{
    for (int number = 1; number <= logic::ListCount; ++number) {
        HWND list = Window->List(number);
        const std::string name = "List" + std::to_string(number);
        if (!Window->Painting(list)) {
            return name + " is not painting";
        }
        const auto rows = static_cast<int>(Window->Ask(list, LB_GETCOUNT));
        if (rows != HostedWindow::Rows) {
            return name + " holds " + std::to_string(rows) + " rows";
        }
        for (int row = 0; row < HostedWindow::Rows; ++row) {
            if (Window->RowText(list, row) != Texts.at(number - 1).at(static_cast<size_t>(row))) {
                return name + " row " + std::to_string(row) + " changed";
            }
        }
    }
    if (!Window->MessageBoxes().empty()) {
        return "a message box opened: " + Narrow(Window->MessageBoxes().front().Text);
    }
    if (!Window->OtherWindows().empty()) {
        return "another window of the program is open";
    }
    const HostedWindow::State after = Window->Read();
    if (after.Focus == 0) {
        return "no list holds the focus";
    }
    FocusChanges += after.Focus != before.Focus ? 1 : 0;
    const int focusedIndex = after.Focus - 1;
    const bool selectionChanged =
        after.Selected.at(focusedIndex) != before.Selected.at(focusedIndex);
    SelectionChanges += selectionChanged ? 1 : 0;
    if (event.What == Kind::RowClick || event.What == Kind::Key || event.What == Kind::Typing) {
        if (!AllEqual(after.Selected)) {
            return "selected rows" + Describe(after.Selected);
        }
        if (selectionChanged && !AllEqual(after.Top)) {
            return "the selection moved, first visible rows" + Describe(after.Top);
        }
    }
    if (event.What == Kind::Wheel || event.What == Kind::ScrollBarClick) {
        const int index = event.Target - 1;
        const bool scrolled = after.Top.at(index) != before.Top.at(index);
        Scrolls += scrolled ? 1 : 0;
        const bool unfocusedList1 = event.Target == 1 && before.Focus != 1;
        if (scrolled && !unfocusedList1 && !AllEqual(after.Top)) {
            return "after a scroll, first visible rows" + Describe(after.Top);
        }
    }
    return {};
}

// Empty when every event kept the window whole, otherwise what went wrong.
std::string RandomInput::Failure(int events)
{
    if (!Window->WaitUntilActive(Window->Handle())) {
        return "the window never became the active one, so no input would reach it";
    }
    for (int number = 1; number <= logic::ListCount; ++number) {
        for (int row = 0; row < HostedWindow::Rows; ++row) {
            Texts.at(number - 1).push_back(Window->RowText(Window->List(number), row));
        }
    }
    for (int index = 0; index < events; ++index) {
        Event event = Next();
        Stamp(event.Input);
        Steps.push_back(event.Description);
        if (Steps.size() > StepsShownOnFailure) {
            Steps.pop_front();
        }
        const HostedWindow::State before = Window->Read();
        Window->Input(event.Input, index % PaintEvery == PaintEvery - 1);
        const std::string failure = Check(event, before);
        if (!failure.empty()) {
            const HostedWindow::State state = Window->Read();
            std::string report = "event " + std::to_string(index) + ": " + failure +
                                 "\n  state: focus List" + std::to_string(state.Focus) +
                                 ", selected" + Describe(state.Selected) + ", top" +
                                 Describe(state.Top) + "\n  last events:";
            for (const std::string& step : Steps) {
                report += "\n    " + step;
            }
            return report;
        }
    }
    return {};
}

bool RandomInput::Run(int events)
{
    const auto start = std::chrono::steady_clock::now();
    Window.emplace(form::Form1Description());
    const std::string failure = Failure(events);
    Window.reset();
    if (!failure.empty()) {
        std::printf("FAIL seed %u (replay with the argument %u), %s\n", Seed, Seed,
                    failure.c_str());
    } else {
        std::printf("seed %u: %d events in %.1f s; %d moved the selection, %d scrolled a list, "
                    "%d moved the focus\n",
                    Seed, events,
                    std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
                    SelectionChanges, Scrolls, FocusChanges);
    }
    std::fflush(stdout);
    return failure.empty();
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<unsigned> seeds;
    const int events = argc > 2 ? std::atoi(argv[2]) : DefaultEventsPerSeed;
    if (argc > 1) {
        seeds.push_back(static_cast<unsigned>(std::strtoul(argv[1], nullptr, 10)));
    } else {
        seeds.assign(std::begin(FixedSeeds), std::end(FixedSeeds));
        const auto clockSeed =
            static_cast<unsigned>(std::chrono::system_clock::now().time_since_epoch() /
                                  std::chrono::milliseconds(1) % 1000000);
        std::printf("seed from the clock: %u\n", clockSeed);
        seeds.push_back(clockSeed);
    }
    std::fflush(stdout);

    int failed = 0;
    for (const unsigned seed : seeds) {
        failed += RandomInput(seed).Run(events) ? 0 : 1;
    }
    std::printf("%d passed, %d failed\n", static_cast<int>(seeds.size()) - failed, failed);
    return failed == 0 ? 0 : 1;
}

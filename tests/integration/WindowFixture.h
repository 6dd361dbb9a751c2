#pragma once

#include "framework/qt/Form1Window.h"

#include <QObject>
#include <QStringList>
#include <optional>

namespace testing {

// The real window, loaded and shown on the offscreen platform, with run-time errors recorded
// instead of shown.
struct OpenWindow {
    explicit OpenWindow(const form::FormDescription& description);
    OpenWindow();

    framework::qt::Form1Window Window;
    QStringList Errors;

    framework::qt::ListBox& List(int number) const { return *Window.List(number); }
    logic::Form1& Logic() { return Window.Logic(); }
};

// Tests that each start on a window of their own.
class FreshWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init() { Window.emplace(); }
    void cleanup() { Window.reset(); }

protected:
    std::optional<OpenWindow> Window;
};

// A left click on the middle of a visible row, through the platform's input path.
void ClickRow(framework::qt::ListBox& list, int row);

// A turn of the mouse wheel over the middle of the list, or at height y of its rows; negative
// notches scroll down.
void TurnWheel(framework::qt::ListBox& list, int notches, std::optional<int> y = {});

// Empty when all seven lists stand on the given selected row and first visible row, otherwise a
// description of the first list that does not.
QString Misaligned(const OpenWindow& window, int selected, int top);

// The number of the list that holds the keyboard focus, 0 for none.
int FocusedList(const OpenWindow& window);

// Each flag as "1" or "0", List1 first.
QString Flags(OpenWindow& window);

} // namespace testing

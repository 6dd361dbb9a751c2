#include "WindowFixture.h"

#include "form/Form1Description.h"

#include <QApplication>
#include <QTest>
#include <QWheelEvent>

namespace testing {

OpenWindow::OpenWindow(const form::FormDescription& description) : Window(description)
{
    Window.SetErrorReporter([this](const QString& message) { Errors << message; });
    Window.Load();
    Window.show();
    Window.activateWindow();
    if (!QTest::qWaitForWindowActive(&Window)) {
        qWarning("the window did not become active");
    }
}

OpenWindow::OpenWindow() : OpenWindow(form::Form1Description()) {}

void ClickRow(framework::qt::ListBox& list, int row)
{
    const QRect rect = list.RowRect(row);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, rect.center());
}

void TurnWheel(framework::qt::ListBox& list, int notches, std::optional<int> y)
{
    const QPoint inside(list.viewport()->width() / 2, y.value_or(list.viewport()->height() / 2));
    QWheelEvent event(inside, list.viewport()->mapToGlobal(inside), {}, {0, notches * 120},
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(list.viewport(), &event);
}

QString Misaligned(const OpenWindow& window, int selected, int top)
{
    for (int number = 1; number <= logic::ListCount; ++number) {
        const framework::qt::ListBox& list = window.List(number);
        if (list.ListIndex() != selected || list.TopIndex() != top || !list.Painting() ||
            !list.isVisible()) {
            return QStringLiteral("List%1: selected %2, top %3, painting %4; expected %5 and %6")
                .arg(number)
                .arg(list.ListIndex())
                .arg(list.TopIndex())
                .arg(list.Painting() ? "on" : "off")
                .arg(selected)
                .arg(top);
        }
    }
    return {};
}

int FocusedList(const OpenWindow& window)
{
    for (int number = 1; number <= logic::ListCount; ++number) {
        if (QApplication::focusWidget() == &window.List(number)) {
            return number;
        }
    }
    return 0;
}

QString Flags(OpenWindow& window)
{
    QString flags;
    for (int number = 1; number <= logic::ListCount; ++number) {
        flags += window.Logic().HasFocus(number) ? QLatin1Char('1') : QLatin1Char('0');
    }
    return flags;
}

} // namespace testing

#include "integration/WindowFixture.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QTest>
#include <random>
#include <set>

using namespace testing;
using Event = framework::qt::ListBox::Event;

namespace {

// Events nest only inside a ListIndex write that changes a list's selection, and every
// procedure in such a chain writes the same row, so each list can change at most once below
// the user's event: one user event plus six nested clicks.
constexpr int NestingBound = 1 + (logic::ListCount - 1);

// An event on its way to its procedure, with how deeply it is nested in others (1 for the user's).
struct Delivery {
    int List = 0;
    framework::qt::ListBox::Event Event = framework::qt::ListBox::Event::Click;
    int Depth = 0;
};

constexpr int DefaultEventsPerSeed = 5000;
constexpr unsigned FixedSeeds[] = {11, 2024, 777};

int EnvNumber(const char* name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

} // namespace

// Drives the real window with random input and checks after every event what must always hold.
// A failure names the seed and the events; HARDNESS_RANDOM_SEED replays one seed alone.
class RandomInputTest : public FreshWindowTest {
    Q_OBJECT

private slots:
    void windowHoldsUnderRandomInput_data();
    void windowHoldsUnderRandomInput();

private:
    void Act(std::mt19937& random);
    QString Check();

    QList<QStringList> Texts;
    QList<Delivery> Deliveries;
    int Depth = 0;
    std::set<int> ScrolledSinceLostFocus;
    QStringList Steps;
    int DeepestNesting = 0;
};

void RandomInputTest::windowHoldsUnderRandomInput_data()
{
    QTest::addColumn<unsigned>("seed");
    const int replay = EnvNumber("HARDNESS_RANDOM_SEED", -1);
    if (replay >= 0) {
        QTest::addRow("seed %d (replay)", replay) << unsigned(replay);
        return;
    }
    for (unsigned seed : FixedSeeds) {
        QTest::addRow("seed %u", seed) << seed;
    }
    const auto clockSeed = unsigned(QDateTime::currentMSecsSinceEpoch() % 1000000);
    qInfo("seed from the clock: %u (replay with HARDNESS_RANDOM_SEED=%u)", clockSeed, clockSeed);
    QTest::addRow("seed %u from the clock", clockSeed) << clockSeed;
}

void RandomInputTest::windowHoldsUnderRandomInput()
{
    QFETCH(unsigned, seed);
    Texts.clear();
    for (int number = 1; number <= logic::ListCount; ++number) {
        QStringList rows;
        for (int row = 0; row < Window->List(number).RowCount(); ++row) {
            rows << Window->List(number).Text(row);
        }
        Texts << rows;
    }
    ScrolledSinceLostFocus.clear();
    Steps.clear();
    DeepestNesting = 0;
    for (int number = 1; number <= logic::ListCount; ++number) {
        Window->List(number).SetEventHandler([this, number](Event event) {
            const QScopedValueRollback nesting(Depth, Depth + 1);
            Deliveries << Delivery{number, event, Depth};
            Window->Window.Deliver(number, event);
        });
    }

    std::mt19937 random(seed);
    const int events = EnvNumber("HARDNESS_RANDOM_EVENTS", DefaultEventsPerSeed);
    for (int event = 0; event < events; ++event) {
        Deliveries.clear();
        Act(random);
        QCoreApplication::processEvents();
        const QString failure = Check();
        if (!failure.isEmpty()) {
            const QString path =
                QDir::temp().filePath(QStringLiteral("random-input-%1.txt").arg(seed));
            QFile log(path);
            if (log.open(QIODevice::WriteOnly | QIODevice::Text)) {
                log.write(Steps.join(QLatin1Char('\n')).toUtf8());
            }
            const QString last = Steps.mid(std::max(0, int(Steps.size()) - 30)).join(u"\n  ");
            QFAIL(qPrintable(
                QStringLiteral("seed %1, event %2: %3\nlast events:\n  %4\nall %5 events: %6")
                    .arg(QString::number(seed), QString::number(event), failure, last,
                         QString::number(Steps.size()), path)));
        }
    }
    qInfo("seed %u: %d events, deepest nesting %d (bound %d)", seed, events, DeepestNesting,
          NestingBound);
}

void RandomInputTest::Act(std::mt19937& random)
{
    const auto pick = [&random](int below) { return int(random() % unsigned(below)); };
    framework::qt::ListBox& list = Window->List(1 + pick(logic::ListCount));
    QWidget* focused = QApplication::focusWidget();
    const int kind = pick(100);
    if (kind < 25) {
        const int y = pick(list.viewport()->height());
        const int x = 1 + pick(list.viewport()->width() - 2);
        Steps << QStringLiteral("click %1 at %2,%3").arg(list.objectName()).arg(x).arg(y);
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, QPoint(x, y));
    } else if (kind < 28) {
        QLabel* label = Window->Window.Label(pick(11));
        Steps << QStringLiteral("click %1").arg(label->objectName());
        QTest::mouseClick(label, Qt::LeftButton, {}, label->rect().center());
    } else if (kind < 38) {
        QScrollBar* bar = list.verticalScrollBar();
        const int y = pick(bar->height());
        Steps << QStringLiteral("click %1 scroll bar at %2").arg(list.objectName()).arg(y);
        QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() / 2, y));
    } else if (kind < 50) {
        const int notches = (1 + pick(3)) * (pick(2) == 0 ? 1 : -1);
        Steps << QStringLiteral("wheel %1 by %2").arg(list.objectName()).arg(notches);
        TurnWheel(list, notches, pick(list.viewport()->height()));
    } else if (kind < 75) {
        static const Qt::Key keys[] = {Qt::Key_Up,       Qt::Key_Down, Qt::Key_PageUp,
                                       Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End};
        const Qt::Key key = keys[pick(6)];
        Steps << QStringLiteral("key %1 in %2").arg(int(key), 0, 16).arg(focused->objectName());
        QTest::keyClick(focused, key);
    } else if (kind < 85) {
        const QString digits = QString::number(pick(1000));
        Steps << QStringLiteral("type %1 in %2").arg(digits, focused->objectName());
        QTest::keyClicks(focused, digits);
    } else {
        const bool back = pick(2) == 0;
        Steps
            << QStringLiteral("%1 from %2").arg(back ? "shift+tab" : "tab", focused->objectName());
        QTest::keyClick(focused, back ? Qt::Key_Backtab : Qt::Key_Tab,
                        back ? Qt::ShiftModifier : Qt::NoModifier);
    }
}

QString RandomInputTest::Check()
{
    for (int number = 1; number <= logic::ListCount; ++number) {
        const framework::qt::ListBox& list = Window->List(number);
        if (!list.isVisible() || !list.Painting()) {
            return QStringLiteral("List%1 is not shown").arg(number);
        }
        if (list.RowCount() != 113) {
            return QStringLiteral("List%1 holds %2 rows").arg(number).arg(list.RowCount());
        }
        for (int row = 0; row < 113; ++row) {
            if (list.Text(row) != Texts[number - 1][row]) {
                return QStringLiteral("List%1 row %2 changed").arg(number).arg(row);
            }
        }
    }
    if (!Window->Errors.isEmpty()) {
        return QStringLiteral("run-time error: ") + Window->Errors.first();
    }

    const int focused = FocusedList(*Window);
    if (focused == 0) {
        return QStringLiteral("no list holds the focus");
    }
    int lastClick = 0;
    int lastScroll = 0;
    for (const auto& delivery : Deliveries) {
        DeepestNesting = std::max(DeepestNesting, delivery.Depth);
        if (delivery.Depth > NestingBound) {
            return QStringLiteral("nesting %1 deep").arg(delivery.Depth);
        }
        if (delivery.Event != Event::Click && delivery.Depth != 1) {
            return QStringLiteral("a focus or scroll event of List%1 arrived nested")
                .arg(delivery.List);
        }
        if (delivery.Event == Event::Scroll && delivery.List != 1) {
            ScrolledSinceLostFocus.insert(delivery.List);
        }
        if (delivery.Event == Event::LostFocus) {
            ScrolledSinceLostFocus.erase(delivery.List);
        }
        if (delivery.Depth == 1 && delivery.Event == Event::Click) {
            lastClick = delivery.List;
            lastScroll = 0;
        }
        if (delivery.Event == Event::Scroll) {
            lastScroll = delivery.List;
        }
    }
    QString expectedFlags;
    for (int number = 1; number <= logic::ListCount; ++number) {
        const bool lead = number == focused || ScrolledSinceLostFocus.contains(number);
        expectedFlags += lead ? QLatin1Char('1') : QLatin1Char('0');
    }
    if (Flags(*Window) != expectedFlags) {
        return QStringLiteral("flags %1, expected %2").arg(Flags(*Window), expectedFlags);
    }
    const framework::qt::ListBox& clicked = Window->List(lastClick == 0 ? 1 : lastClick);
    if (lastClick == focused) {
        const QString misaligned = Misaligned(*Window, clicked.ListIndex(), clicked.TopIndex());
        if (!misaligned.isEmpty()) {
            return QStringLiteral("after a selection in List%1: ").arg(lastClick) + misaligned;
        }
    } else if (lastClick != 0) {
        return QStringLiteral("List%1 reported a selection without the focus").arg(lastClick);
    }
    if (lastScroll != 0 && (lastScroll != 1 || focused == 1)) {
        const int top = Window->List(lastScroll).TopIndex();
        for (int number = 1; number <= logic::ListCount; ++number) {
            if (Window->List(number).TopIndex() != top) {
                return QStringLiteral("after a scroll of List%1 to %2, List%3 stands at %4")
                    .arg(lastScroll)
                    .arg(top)
                    .arg(number)
                    .arg(Window->List(number).TopIndex());
            }
        }
    }
    return {};
}

QTEST_MAIN(RandomInputTest)
#include "tst_random_input.moc"

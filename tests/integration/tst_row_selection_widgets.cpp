#include "form/Form1Description.h"
#include "integration/WindowFixture.h"

#include <QApplication>
#include <QTest>

using namespace testing;

namespace {

// Counts focus changes of the seven lists while it exists.
class FocusEventCounter final : public QObject {
public:
    explicit FocusEventCounter(const OpenWindow& window)
    {
        for (int number = 1; number <= logic::ListCount; ++number) {
            window.List(number).installEventFilter(this);
        }
    }
    int Count = 0;

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
            ++Count;
        }
        return false;
    }
};

} // namespace

class RowSelectionWidgetsTest : public FreshWindowTest {
    Q_OBJECT

private slots:
    void clickInAScrolledColumnAlignsEveryColumn();
    void clickOnTheLastRowSelectsItEverywhere();
    void clickInAnotherColumnMovesTheLead();
    void keyboardMovesKeepTheColumnsTogether_data();
    void keyboardMovesKeepTheColumnsTogether();
    void typedValueSelectsItsRowInEveryColumn_data();
    void typedValueSelectsItsRowInEveryColumn();
    void clickOnTheSelectedRowRealignsTheColumns();
    void noFocusEventWhileColumnsAreCopied();
    void failingProcedureIsReportedAndTheWindowGoesOn();
};

void RowSelectionWidgetsTest::clickInAScrolledColumnAlignsEveryColumn()
{
    QTest::keyClick(&Window->List(1), Qt::Key_Tab);
    QTest::keyClick(&Window->List(2), Qt::Key_Tab);
    QCOMPARE(FocusedList(*Window), 3);
    Window->List(3).SetTopIndex(35); // by code, so that only the click brings the others

    ClickRow(Window->List(3), 40);

    QCOMPARE(Misaligned(*Window, 40, 35), QString());
    QCOMPARE(FocusedList(*Window), 3);
    QCOMPARE(Flags(*Window), QStringLiteral("0010000"));
}

void RowSelectionWidgetsTest::clickOnTheLastRowSelectsItEverywhere()
{
    framework::qt::ListBox& hsh = Window->List(6);
    hsh.SetTopIndex(112); // as far as it goes, and by code: the others stay
    const int top = hsh.TopIndex();

    ClickRow(hsh, 112);

    QCOMPARE(FocusedList(*Window), 6);
    QCOMPARE(Misaligned(*Window, 112, top), QString());
    QCOMPARE(Flags(*Window), QStringLiteral("0000010"));
}

void RowSelectionWidgetsTest::clickInAnotherColumnMovesTheLead()
{
    ClickRow(Window->List(2), 5);
    QCOMPARE(Flags(*Window), QStringLiteral("0100000"));
    QCOMPARE(Misaligned(*Window, 5, 0), QString());

    ClickRow(Window->List(5), 9);

    QCOMPARE(FocusedList(*Window), 5);
    QCOMPARE(Flags(*Window), QStringLiteral("0000100"));
    QCOMPARE(Misaligned(*Window, 9, 0), QString());
}

void RowSelectionWidgetsTest::keyboardMovesKeepTheColumnsTogether_data()
{
    QTest::addColumn<int>("list");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("presses");
    QTest::newRow("Down past the bottom edge") << 1 << int(Qt::Key_Down) << 30;
    QTest::newRow("Page Down") << 4 << int(Qt::Key_PageDown) << 2;
    QTest::newRow("End") << 7 << int(Qt::Key_End) << 1;
    QTest::newRow("Up from the end") << 5 << int(Qt::Key_Up) << 3;
    QTest::newRow("Home after End") << 2 << int(Qt::Key_Home) << 1;
}

void RowSelectionWidgetsTest::keyboardMovesKeepTheColumnsTogether()
{
    QFETCH(int, list);
    QFETCH(int, key);
    QFETCH(int, presses);
    framework::qt::ListBox& column = Window->List(list);
    ClickRow(column, 3);
    if (key == Qt::Key_Up || key == Qt::Key_Home) {
        QTest::keyClick(&column, Qt::Key_End);
    }

    for (int press = 0; press < presses; ++press) {
        QTest::keyClick(&column, static_cast<Qt::Key>(key));
        QCOMPARE(Misaligned(*Window, column.ListIndex(), column.TopIndex()), QString());
    }
    QCOMPARE(FocusedList(*Window), list);
    QVERIFY(column.ListIndex() != 3);
    if (key == Qt::Key_Down) {
        QCOMPARE(column.ListIndex(), 33);
        QVERIFY(column.TopIndex() > 0);
    }
    if (key == Qt::Key_Home) {
        QCOMPARE(Misaligned(*Window, 0, 0), QString());
    }
}

// In `typed`, '#' stands for the keypad's decimal key, here typing what an Arabic layout gives.
void RowSelectionWidgetsTest::typedValueSelectsItsRowInEveryColumn_data()
{
    QTest::addColumn<int>("list");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("whileTyping");
    QTest::addColumn<int>("paused");
    QTest::newRow("HB 444, found as typed") << 1 << "444" << 24 << 24;
    QTest::newRow("HB 399, nearest 401") << 1 << "399" << 30 << 29;
    QTest::newRow("HV 600, nearest 598") << 2 << "600" << 10 << 15;
    QTest::newRow("HRC 19, below the lowest") << 3 << "19" << -1 << 55;
    QTest::newRow("HRA 80,2 with a comma") << 5 << "80,2" << 11 << 12;
    QTest::newRow("HRA 80#2 on the keypad") << 5 << "80#2" << 11 << 12;
    QTest::newRow("HRCэ 45,7") << 7 << "45,7" << 28 << 28;
}

void RowSelectionWidgetsTest::typedValueSelectsItsRowInEveryColumn()
{
    QFETCH(int, list);
    QFETCH(QString, typed);
    QFETCH(int, whileTyping);
    QFETCH(int, paused);
    framework::qt::ListBox& column = Window->List(list);
    column.setFocus(Qt::TabFocusReason);

    for (const QChar key : typed) {
        if (key == u'#') {
            QTest::sendKeyEvent(QTest::Click, &column, Qt::Key_Comma, QStringLiteral("\u066B"),
                                Qt::KeypadModifier);
        } else {
            QTest::keyClicks(&column, key);
        }
    }
    QCOMPARE(column.ListIndex(), whileTyping);

    QTRY_COMPARE(column.ListIndex(), paused);
    QTest::qWait(QApplication::keyboardInputInterval()); // nothing more comes after the pause
    QCOMPARE(Misaligned(*Window, paused, column.TopIndex()), QString());
    QVERIFY(column.TopIndex() <= paused &&
            column.RowRect(paused).bottom() < column.viewport()->height());
    QCOMPARE(FocusedList(*Window), list);
}

void RowSelectionWidgetsTest::clickOnTheSelectedRowRealignsTheColumns()
{
    ClickRow(Window->List(1), 6);
    QCOMPARE(Misaligned(*Window, 6, 0), QString());
    Window->List(4).SetTopIndex(50); // as if something had pulled one column away

    ClickRow(Window->List(1), 6);

    QCOMPARE(Misaligned(*Window, 6, 0), QString());
}

void RowSelectionWidgetsTest::noFocusEventWhileColumnsAreCopied()
{
    const FocusEventCounter counter(*Window);
    ClickRow(Window->List(1), 10);
    QTest::keyClick(&Window->List(1), Qt::Key_PageDown);
    QCOMPARE(counter.Count, 0);

    ClickRow(Window->List(7), 12); // one focus change: out of List1, into List7
    QCOMPARE(counter.Count, 2);
    QCOMPARE(Flags(*Window), QStringLiteral("0000001"));
}

// A list shorter than the rest makes the copy fail half-way: the failure is reported, the
// lists are painted again, and the window keeps working.
void RowSelectionWidgetsTest::failingProcedureIsReportedAndTheWindowGoesOn()
{
    Window.reset();
    const form::FormDescription& full = form::Form1Description();
    std::vector<form::ListDescription> lists(full.Lists.begin(), full.Lists.end());
    for (form::ListDescription& list : lists) {
        if (list.Number == 4) {
            list.Rows = list.Rows.first(20); // after the load: 77 rows
        }
    }
    form::FormDescription shorter = full;
    shorter.Lists = lists;
    Window.emplace(shorter);

    ClickRow(Window->List(1), 5);
    QVERIFY(Window->Errors.isEmpty());
    Window->List(1).SetTopIndex(90);
    ClickRow(Window->List(1), 95);

    QTRY_COMPARE(Window->Errors.size(), 1); // once the click has been handled
    QVERIFY2(Window->Errors.first().contains(QLatin1String("List4")),
             qPrintable(Window->Errors.first()));
    QCOMPARE(Window->List(3).ListIndex(), 95); // written before the failure
    QCOMPARE(Window->List(5).ListIndex(), 5);  // not reached
    for (int number = 1; number <= logic::ListCount; ++number) {
        QVERIFY(Window->List(number).Painting());
    }
    ClickRow(Window->List(1), 92);
    QCOMPARE(Window->List(2).ListIndex(), 92);
}

QTEST_MAIN(RowSelectionWidgetsTest)
#include "tst_row_selection_widgets.moc"

#include "integration/WindowFixture.h"

#include <QScrollBar>
#include <QTest>

using namespace testing;

class ScrollSyncWidgetsTest : public FreshWindowTest {
    Q_OBJECT

private slots:
    void wheelOverAnyColumnBringsTheOthersAlong_data();
    void wheelOverAnyColumnBringsTheOthersAlong();
    void hbScrolledWithoutTheFocusGoesAlone();
    void scrollingHrbWhileHbHasTheFocusLeavesBothLeading();
    void hraDraggedToItsLastRowTakesEveryColumnThere();
    void scrollBarArrowsAndTrackScrollAll_data();
    void scrollBarArrowsAndTrackScrollAll();
    void clickAfterScrollingAnotherColumnStillAligns();
    void clickOnAPartlyVisibleRowScrollsEveryColumnAtOnce();
};

void ScrollSyncWidgetsTest::wheelOverAnyColumnBringsTheOthersAlong_data()
{
    QTest::addColumn<int>("list");
    QTest::addColumn<bool>("focused");
    for (int list = 1; list <= logic::ListCount; ++list) {
        QTest::addRow("List%d with the focus", list) << list << true;
        if (list != 1) {
            QTest::addRow("List%d without it", list) << list << false;
        }
    }
}

void ScrollSyncWidgetsTest::wheelOverAnyColumnBringsTheOthersAlong()
{
    QFETCH(int, list);
    QFETCH(bool, focused);
    ClickRow(Window->List(focused ? list : (list == 2 ? 3 : 2)), 4);
    const int focus = FocusedList(*Window);

    TurnWheel(Window->List(list), -4);

    const int top = Window->List(list).TopIndex();
    QVERIFY(top > 4);
    QCOMPARE(FocusedList(*Window), focus);
    QVERIFY(Window->Logic().HasFocus(list));
    QVERIFY(Window->Logic().HasFocus(focus));
    QCOMPARE(Misaligned(*Window, 4, top), QString());
}

void ScrollSyncWidgetsTest::hbScrolledWithoutTheFocusGoesAlone()
{
    ClickRow(Window->List(3), 2);
    const QString flags = Flags(*Window);

    TurnWheel(Window->List(1), -2);

    const int top = Window->List(1).TopIndex();
    QVERIFY(top > 0);
    for (int number = 2; number <= logic::ListCount; ++number) {
        QCOMPARE(Window->List(number).TopIndex(), 0);
    }
    QCOMPARE(Flags(*Window), flags);
    QCOMPARE(FocusedList(*Window), 3);
}

void ScrollSyncWidgetsTest::scrollingHrbWhileHbHasTheFocusLeavesBothLeading()
{
    QCOMPARE(FocusedList(*Window), 1);
    TurnWheel(Window->List(4), -3);

    QCOMPARE(Misaligned(*Window, -1, Window->List(4).TopIndex()), QString());
    QCOMPARE(Flags(*Window), QStringLiteral("1001000"));
    QCOMPARE(FocusedList(*Window), 1);

    // Tab away from HRB's neighbour and back: only losing the focus clears HRB's flag.
    ClickRow(Window->List(4), Window->List(4).TopIndex() + 1);
    ClickRow(Window->List(1), Window->List(1).TopIndex() + 2);
    QCOMPARE(Flags(*Window), QStringLiteral("1000000"));
}

void ScrollSyncWidgetsTest::hraDraggedToItsLastRowTakesEveryColumnThere()
{
    QScrollBar* bar = Window->List(5).verticalScrollBar();
    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    const int last = Window->List(5).TopIndex();
    QCOMPARE(last, bar->maximum());
    QVERIFY(last > 90);
    QCOMPARE(Misaligned(*Window, -1, last), QString());
    QCOMPARE(Flags(*Window), QStringLiteral("1000100"));
}

void ScrollSyncWidgetsTest::scrollBarArrowsAndTrackScrollAll_data()
{
    QTest::addColumn<int>("list");
    QTest::addColumn<int>("yFromBottom"); // where on the scroll bar the mouse presses
    QTest::newRow("List2 down arrow") << 2 << 4;
    QTest::newRow("List6 track below the thumb") << 6 << 40;
    QTest::newRow("List7 down arrow") << 7 << 4;
}

void ScrollSyncWidgetsTest::scrollBarArrowsAndTrackScrollAll()
{
    QFETCH(int, list);
    QFETCH(int, yFromBottom);
    QScrollBar* bar = Window->List(list).verticalScrollBar();
    QTest::mouseClick(bar, Qt::LeftButton, {},
                      QPoint(bar->width() / 2, bar->height() - yFromBottom));

    const int top = Window->List(list).TopIndex();
    QVERIFY(top > 0);
    QCOMPARE(Misaligned(*Window, -1, top), QString());
    QCOMPARE(FocusedList(*Window), 1);
}

void ScrollSyncWidgetsTest::clickAfterScrollingAnotherColumnStillAligns()
{
    TurnWheel(Window->List(4), -5);
    QCOMPARE(Flags(*Window), QStringLiteral("1001000"));
    const int top = Window->List(4).TopIndex();

    ClickRow(Window->List(1), top + 3);

    QCOMPARE(Misaligned(*Window, top + 3, top), QString());
    QCOMPARE(FocusedList(*Window), 1);
}

// A half-visible row comes into view with the click itself, and the other columns with it.
void ScrollSyncWidgetsTest::clickOnAPartlyVisibleRowScrollsEveryColumnAtOnce()
{
    framework::qt::ListBox& hv = Window->List(2);
    int partly = -1;
    for (int row = 0; row < hv.RowCount(); ++row) {
        const QRect rect = hv.RowRect(row);
        if (rect.bottom() >= hv.viewport()->height() && rect.top() < hv.viewport()->height() - 2) {
            partly = row;
            break;
        }
    }
    if (partly < 0) {
        QSKIP("at this font the rows fill the list exactly");
    }
    const QRect rect = hv.RowRect(partly);
    QTest::mouseClick(hv.viewport(), Qt::LeftButton, {}, QPoint(rect.center().x(), rect.top() + 1));
    QVERIFY(hv.TopIndex() > 0);
    QCOMPARE(Misaligned(*Window, partly, hv.TopIndex()), QString());
    QCOMPARE(FocusedList(*Window), 2);
}

QTEST_MAIN(ScrollSyncWidgetsTest)
#include "tst_scroll_sync_widgets.moc"

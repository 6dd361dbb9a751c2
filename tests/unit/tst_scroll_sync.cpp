#include "support/RecordingList.h"

#include <QTest>

using namespace testing;

class ScrollSyncTest : public QObject {
    Q_OBJECT

private slots:
    void scrollCopiesTheTopRowOnly_data();
    void scrollCopiesTheTopRowOnly();
    void hbFollowsOnlyWhileItHoldsTheFocus();
    void otherColumnsTakeTheLeadWhenScrolled_data();
    void otherColumnsTakeTheLeadWhenScrolled();
    void failedWriteShowsTheListsAgainAndKeepsTheFlag();
};

void ScrollSyncTest::scrollCopiesTheTopRowOnly_data()
{
    QTest::addColumn<int>("scrolled");
    for (int list = 1; list <= logic::ListCount; ++list) {
        QTest::addRow("List%d", list) << list;
    }
}

void ScrollSyncTest::scrollCopiesTheTopRowOnly()
{
    QFETCH(int, scrolled);
    FakeForm fake;
    fake.FillRows();
    fake.SetFlag(scrolled, true);
    fake.List(scrolled).Top = 20;
    fake.List(scrolled).Selected = 3;
    const int alreadyThere = scrolled == 7 ? 6 : 7;
    fake.List(alreadyThere).Top = 20; // written all the same

    fake.Scroll(scrolled);

    std::vector<Operation> expected;
    for (int list = 1; list <= logic::ListCount; ++list) {
        expected.push_back(Hide(list));
    }
    for (int target = 1; target <= logic::ListCount; ++target) {
        if (target != scrolled) {
            expected.push_back(ReadTop(scrolled, 20));
            expected.push_back(WriteTop(target, 20));
        }
    }
    for (int list = 1; list <= logic::ListCount; ++list) {
        expected.push_back(Show(list));
    }
    CompareOperations(fake.Log.Operations, expected);

    for (int list = 1; list <= logic::ListCount; ++list) {
        QCOMPARE(fake.List(list).Top, 20);
        QCOMPARE(fake.List(list).Selected, list == scrolled ? 3 : -1);
        QCOMPARE(fake.Form->HasFocus(list), list == scrolled);
    }
}

void ScrollSyncTest::hbFollowsOnlyWhileItHoldsTheFocus()
{
    FakeForm fake;
    fake.FillRows();
    fake.SetFlag(4, true);
    fake.List(1).Top = 20;

    fake.Scroll(1);

    QVERIFY(fake.Log.Operations.empty());
    QVERIFY(!fake.Form->List1HasFocus);
    QVERIFY(fake.Form->List4HasFocus);
}

void ScrollSyncTest::otherColumnsTakeTheLeadWhenScrolled_data()
{
    QTest::addColumn<int>("scrolled");
    QTest::addColumn<bool>("flagBefore");
    for (int list = 2; list <= logic::ListCount; ++list) {
        QTest::addRow("List%d flag false", list) << list << false;
        QTest::addRow("List%d flag true", list) << list << true;
    }
}

void ScrollSyncTest::otherColumnsTakeTheLeadWhenScrolled()
{
    QFETCH(int, scrolled);
    QFETCH(bool, flagBefore);
    FakeForm fake;
    fake.FillRows();
    fake.SetFlag(1, true); // HB holds the focus
    fake.SetFlag(scrolled, flagBefore);
    fake.List(scrolled).Top = 98;

    fake.Scroll(scrolled);

    QVERIFY(fake.Form->List1HasFocus);
    QVERIFY(fake.Form->HasFocus(scrolled));
    for (int list = 1; list <= logic::ListCount; ++list) {
        QCOMPARE(fake.List(list).Top, 98);
    }
}

void ScrollSyncTest::failedWriteShowsTheListsAgainAndKeepsTheFlag()
{
    FakeForm fake;
    fake.FillRows();
    fake.List(6).Top = 11;
    fake.Log.ShouldFail = [](const Operation& operation) { return operation == WriteTop(3, 11); };

    QVERIFY_THROWS_EXCEPTION(logic::RunTimeError, fake.Scroll(6));

    QVERIFY(fake.Form->List6HasFocus);
    QCOMPARE(fake.List(2).Top, 11); // nothing done before the failure is undone
    QCOMPARE(fake.List(4).Top, 0);
    for (int list = 1; list <= logic::ListCount; ++list) {
        QVERIFY(fake.List(list).Visible);
    }
    QCOMPARE(fake.Log.Operations.back(), Show(7));
}

QTEST_APPLESS_MAIN(ScrollSyncTest)
#include "tst_scroll_sync.moc"

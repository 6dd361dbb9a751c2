#include "support/RecordingList.h"

#include <QTest>

using namespace testing;

namespace {

std::vector<Operation> HideAll()
{
    std::vector<Operation> operations;
    for (int list = 1; list <= logic::ListCount; ++list) {
        operations.push_back(Hide(list));
    }
    return operations;
}

std::vector<Operation> ShowAll()
{
    std::vector<Operation> operations;
    for (int list = 1; list <= logic::ListCount; ++list) {
        operations.push_back(Show(list));
    }
    return operations;
}

void Append(std::vector<Operation>& to, const std::vector<Operation>& more)
{
    to.insert(to.end(), more.begin(), more.end());
}

} // namespace

class RowSelectionTest : public QObject {
    Q_OBJECT

private slots:
    void clickCopiesSelectionAndTopRowToEveryOtherList_data();
    void clickCopiesSelectionAndTopRowToEveryOtherList();
    void clickWithoutItsFlagTouchesNothing_data();
    void clickWithoutItsFlagTouchesNothing();
    void clickWithoutSelectionClearsEverySelection();
    void focusProceduresSetOnlyTheirOwnFlag_data();
    void focusProceduresSetOnlyTheirOwnFlag();
    void targetWithItsFlagSetRunsNestedAndOuterReadsAfresh();
    void twoLeadingListsEndTheirChain();
    void failedWriteStopsTheCopyAndShowsTheListsAgain();
};

void RowSelectionTest::clickCopiesSelectionAndTopRowToEveryOtherList_data()
{
    QTest::addColumn<int>("clicked");
    for (int list = 1; list <= logic::ListCount; ++list) {
        QTest::addRow("List%d", list) << list;
    }
}

void RowSelectionTest::clickCopiesSelectionAndTopRowToEveryOtherList()
{
    QFETCH(int, clicked);
    FakeForm fake;
    fake.FillRows();
    fake.SetFlag(clicked, true);
    fake.List(clicked).Selected = 40;
    fake.List(clicked).Top = 35;

    fake.Click(clicked);

    std::vector<Operation> expected = HideAll();
    for (int target = 1; target <= logic::ListCount; ++target) {
        if (target != clicked) {
            Append(expected, {ReadSelection(clicked, 40), WriteSelection(target, 40),
                              ReadTop(clicked, 35), WriteTop(target, 35)});
        }
    }
    Append(expected, ShowAll());
    CompareOperations(fake.Log.Operations, expected);

    for (int list = 1; list <= logic::ListCount; ++list) {
        QCOMPARE(fake.List(list).Selected, 40);
        QCOMPARE(fake.List(list).Top, 35);
        QVERIFY(fake.List(list).Visible);
        QCOMPARE(fake.Form->HasFocus(list), list == clicked);
    }
}

void RowSelectionTest::clickWithoutItsFlagTouchesNothing_data()
{
    clickCopiesSelectionAndTopRowToEveryOtherList_data();
}

void RowSelectionTest::clickWithoutItsFlagTouchesNothing()
{
    QFETCH(int, clicked);
    FakeForm fake;
    fake.FillRows();
    const int other = clicked == 1 ? 2 : 1;
    fake.SetFlag(other, true); // another list leads; that must not open this one's guard
    fake.List(clicked).Selected = 12;

    fake.Click(clicked);

    QVERIFY(fake.Log.Operations.empty());
    QCOMPARE(fake.List(other).Selected, -1);
}

void RowSelectionTest::clickWithoutSelectionClearsEverySelection()
{
    FakeForm fake;
    fake.FillRows();
    for (int list = 1; list <= logic::ListCount; ++list) {
        fake.List(list).Selected = 7;
    }
    fake.List(3).Selected = -1;
    fake.List(3).Top = 20;
    fake.SetFlag(3, true);

    fake.Click(3);

    for (int list = 1; list <= logic::ListCount; ++list) {
        QCOMPARE(fake.List(list).Selected, -1);
        QCOMPARE(fake.List(list).Top, 20);
    }
}

void RowSelectionTest::focusProceduresSetOnlyTheirOwnFlag_data()
{
    clickCopiesSelectionAndTopRowToEveryOtherList_data();
}

void RowSelectionTest::focusProceduresSetOnlyTheirOwnFlag()
{
    QFETCH(int, clicked);
    FakeForm fake;
    const auto& procedures = logic::Form1::ProceduresOf(clicked);

    (fake.Form.get()->*procedures.GotFocus)();
    for (int list = 1; list <= logic::ListCount; ++list) {
        QCOMPARE(fake.Form->HasFocus(list), list == clicked);
    }
    (fake.Form.get()->*procedures.LostFocus)();
    for (int list = 1; list <= logic::ListCount; ++list) {
        QVERIFY(!fake.Form->HasFocus(list));
    }
    QVERIFY2(fake.Log.Operations.empty(), "focus procedures touch no control");
}

// List5 leads (it was scrolled), List2 holds the focus and is clicked: writing List5's
// selection runs List5's click in full, which moves List2's top row; every target after List5
// must then receive that new top row, read afresh.
void RowSelectionTest::targetWithItsFlagSetRunsNestedAndOuterReadsAfresh()
{
    FakeForm fake;
    fake.FillRows();
    fake.SetFlag(2, true);
    fake.SetFlag(5, true);
    fake.List(2).Selected = 60;
    fake.List(2).Top = 50;
    fake.List(5).Top = 44;

    fake.Click(2);

    std::vector<Operation> expected = HideAll();
    for (int target : {1, 3, 4}) {
        Append(expected, {ReadSelection(2, 60), WriteSelection(target, 60), ReadTop(2, 50),
                          WriteTop(target, 50)});
    }
    expected.push_back(ReadSelection(2, 60));
    expected.push_back(WriteSelection(5, 60));
    { // List5_Click, nested inside the write
        Append(expected, HideAll());
        for (int target : {1, 2, 3, 4, 6, 7}) {
            Append(expected, {ReadSelection(5, 60), WriteSelection(target, 60), ReadTop(5, 44),
                              WriteTop(target, 44)});
        }
        Append(expected, ShowAll());
    }
    Append(expected, {ReadTop(2, 44), WriteTop(5, 44)});
    for (int target : {6, 7}) {
        Append(expected, {ReadSelection(2, 60), WriteSelection(target, 60), ReadTop(2, 44),
                          WriteTop(target, 44)});
    }
    Append(expected, ShowAll());
    CompareOperations(fake.Log.Operations, expected);

    for (int list = 1; list <= logic::ListCount; ++list) {
        QCOMPARE(fake.List(list).Selected, 60);
        QCOMPARE(fake.List(list).Top, 44);
        QVERIFY(fake.List(list).Visible);
    }
}

void RowSelectionTest::twoLeadingListsEndTheirChain()
{
    FakeForm fake;
    fake.FillRows();
    for (int list = 1; list <= logic::ListCount; ++list) {
        fake.SetFlag(list, true); // the worst case: every list leads
    }
    fake.List(4).Selected = 90;
    fake.List(4).Top = 80;

    fake.Click(4);

    QVERIFY2(fake.Log.Operations.size() < 10000, "the chain must end");
    // List1's click runs nested first and hands its own top row round, List4 included; what
    // matters is that every column ends on the same rows.
    for (int list = 1; list <= logic::ListCount; ++list) {
        QCOMPARE(fake.List(list).Selected, 90);
        QCOMPARE(fake.List(list).Top, fake.List(4).Top);
        QVERIFY(fake.List(list).Visible);
    }
}

void RowSelectionTest::failedWriteStopsTheCopyAndShowsTheListsAgain()
{
    FakeForm fake;
    fake.FillRows();
    fake.SetFlag(1, true);
    fake.List(1).Selected = 30;
    fake.List(1).Top = 25;
    fake.Log.ShouldFail = [](const Operation& operation) { return operation == WriteTop(4, 25); };

    QVERIFY_THROWS_EXCEPTION(logic::RunTimeError, fake.Click(1));

    std::vector<Operation> expected = HideAll();
    for (int target : {2, 3}) {
        Append(expected, {ReadSelection(1, 30), WriteSelection(target, 30), ReadTop(1, 25),
                          WriteTop(target, 25)});
    }
    Append(expected,
           {ReadSelection(1, 30), WriteSelection(4, 30), ReadTop(1, 25), WriteTop(4, 25)});
    Append(expected, ShowAll());
    CompareOperations(fake.Log.Operations, expected);
    QCOMPARE(fake.List(5).Selected, -1); // targets after the failure are left alone
    for (int list = 1; list <= logic::ListCount; ++list) {
        QVERIFY(fake.List(list).Visible);
    }
}

QTEST_APPLESS_MAIN(RowSelectionTest)
#include "tst_row_selection.moc"

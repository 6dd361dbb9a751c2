#include "support/RecordingList.h"

#include <doctest/doctest.h>

using namespace testing;

void clickCopiesSelectionAndTopRowToEveryOtherList(int clicked)
{
    FakeForm fake;
    fake.SetFlag(clicked, true);
    fake.List(clicked).Selected = 40;
    fake.List(clicked).Top = 35;

    fake.Click(clicked);

    CompareOperations(fake.Log.Operations,
                      EveryList(Hide) + Copies(clicked, AllBut(clicked), 40, 35) + EveryList(Show));
    fake.CheckEveryListOn(40, 35);
    for (int list = 1; list <= logic::ListCount; ++list) {
        CHECK_EQ(fake.Form->HasFocus(list), list == clicked);
    }
}

TEST_CASE("clickCopiesSelectionAndTopRowToEveryOtherList")
{
    ForEachList(clickCopiesSelectionAndTopRowToEveryOtherList);
}

void clickWithoutItsFlagTouchesNothing(int clicked)
{
    FakeForm fake;
    const int other = clicked == 1 ? 2 : 1;
    fake.SetFlag(other, true); // another list leads; that must not open this one's guard
    fake.List(clicked).Selected = 12;

    fake.Click(clicked);

    CHECK(fake.Log.Operations.empty());
    CHECK_EQ(fake.List(other).Selected, -1);
}

TEST_CASE("clickWithoutItsFlagTouchesNothing")
{
    ForEachList(clickWithoutItsFlagTouchesNothing);
}

TEST_CASE("clickWithoutSelectionClearsEverySelection")
{
    FakeForm fake;
    for (int list = 1; list <= logic::ListCount; ++list) {
        fake.List(list).Selected = 7;
    }
    fake.List(3).Selected = -1;
    fake.List(3).Top = 20;
    fake.SetFlag(3, true);

    fake.Click(3);

    fake.CheckEveryListOn(-1, 20);
}

void focusProceduresSetOnlyTheirOwnFlag(int clicked)
{
    FakeForm fake;
    const auto& procedures = logic::Form1::ProceduresOf(clicked);

    (fake.Form.get()->*procedures.GotFocus)();
    for (int list = 1; list <= logic::ListCount; ++list) {
        CHECK_EQ(fake.Form->HasFocus(list), list == clicked);
    }
    (fake.Form.get()->*procedures.LostFocus)();
    for (int list = 1; list <= logic::ListCount; ++list) {
        CHECK(!fake.Form->HasFocus(list));
    }
    CHECK(fake.Log.Operations.empty());
}

TEST_CASE("focusProceduresSetOnlyTheirOwnFlag")
{
    ForEachList(focusProceduresSetOnlyTheirOwnFlag);
}

// List5 leads (it was scrolled), List2 holds the focus and is clicked: writing List5's
// selection runs List5's click in full, which moves List2's top row; every target after List5
// must then receive that new top row, read afresh.
TEST_CASE("targetWithItsFlagSetRunsNestedAndOuterReadsAfresh")
{
    FakeForm fake;
    fake.SetFlag(2, true);
    fake.SetFlag(5, true);
    fake.List(2).Selected = 60;
    fake.List(2).Top = 50;
    fake.List(5).Top = 44;

    fake.Click(2);

    const std::vector<Operation> nestedList5Click =
        EveryList(Hide) + Copies(5, AllBut(5), 60, 44) + EveryList(Show);
    CompareOperations(fake.Log.Operations,
                      EveryList(Hide) + Copies(2, {1, 3, 4}, 60, 50) +
                          std::vector{ReadSelection(2, 60), WriteSelection(5, 60)} +
                          nestedList5Click + std::vector{ReadTop(2, 44), WriteTop(5, 44)} +
                          Copies(2, {6, 7}, 60, 44) + EveryList(Show));
    fake.CheckEveryListOn(60, 44);
}

TEST_CASE("twoLeadingListsEndTheirChain")
{
    FakeForm fake;
    for (int list = 1; list <= logic::ListCount; ++list) {
        fake.SetFlag(list, true); // the worst case: every list leads
    }
    fake.List(4).Selected = 90;
    fake.List(4).Top = 80;

    fake.Click(4);

    CHECK(fake.Log.Operations.size() < 10000);
    // List1's click runs nested first and hands its own top row round, List4 included; what
    // matters is that every column ends on the same rows.
    fake.CheckEveryListOn(90, fake.List(4).Top);
}

TEST_CASE("failedWriteStopsTheCopyAndShowsTheListsAgain")
{
    FakeForm fake;
    fake.SetFlag(1, true);
    fake.List(1).Selected = 30;
    fake.List(1).Top = 25;
    fake.Log.ShouldFail = [](const Operation& operation) { return operation == WriteTop(4, 25); };

    CHECK_THROWS_AS(fake.Click(1), logic::RunTimeError);

    CompareOperations(fake.Log.Operations,
                      EveryList(Hide) + Copies(1, {2, 3, 4}, 30, 25) + EveryList(Show));
    CHECK_EQ(fake.List(5).Selected, -1); // targets after the failure are left alone
    for (int list = 1; list <= logic::ListCount; ++list) {
        CHECK(fake.List(list).Visible);
    }
}

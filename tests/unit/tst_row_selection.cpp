#include "support/RecordingList.h"

#include <doctest/doctest.h>

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

void clickCopiesSelectionAndTopRowToEveryOtherList(int clicked)
{
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
        CHECK_EQ(fake.List(list).Selected, 40);
        CHECK_EQ(fake.List(list).Top, 35);
        CHECK(fake.List(list).Visible);
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
    fake.FillRows();
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
    fake.FillRows();
    for (int list = 1; list <= logic::ListCount; ++list) {
        fake.List(list).Selected = 7;
    }
    fake.List(3).Selected = -1;
    fake.List(3).Top = 20;
    fake.SetFlag(3, true);

    fake.Click(3);

    for (int list = 1; list <= logic::ListCount; ++list) {
        CHECK_EQ(fake.List(list).Selected, -1);
        CHECK_EQ(fake.List(list).Top, 20);
    }
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
        CHECK_EQ(fake.List(list).Selected, 60);
        CHECK_EQ(fake.List(list).Top, 44);
        CHECK(fake.List(list).Visible);
    }
}

TEST_CASE("twoLeadingListsEndTheirChain")
{
    FakeForm fake;
    fake.FillRows();
    for (int list = 1; list <= logic::ListCount; ++list) {
        fake.SetFlag(list, true); // the worst case: every list leads
    }
    fake.List(4).Selected = 90;
    fake.List(4).Top = 80;

    fake.Click(4);

    CHECK(fake.Log.Operations.size() < 10000);
    // List1's click runs nested first and hands its own top row round, List4 included; what
    // matters is that every column ends on the same rows.
    for (int list = 1; list <= logic::ListCount; ++list) {
        CHECK_EQ(fake.List(list).Selected, 90);
        CHECK_EQ(fake.List(list).Top, fake.List(4).Top);
        CHECK(fake.List(list).Visible);
    }
}

TEST_CASE("failedWriteStopsTheCopyAndShowsTheListsAgain")
{
    FakeForm fake;
    fake.FillRows();
    fake.SetFlag(1, true);
    fake.List(1).Selected = 30;
    fake.List(1).Top = 25;
    fake.Log.ShouldFail = [](const Operation& operation) { return operation == WriteTop(4, 25); };

    CHECK_THROWS_AS(fake.Click(1), logic::RunTimeError);

    std::vector<Operation> expected = HideAll();
    for (int target : {2, 3}) {
        Append(expected, {ReadSelection(1, 30), WriteSelection(target, 30), ReadTop(1, 25),
                          WriteTop(target, 25)});
    }
    Append(expected,
           {ReadSelection(1, 30), WriteSelection(4, 30), ReadTop(1, 25), WriteTop(4, 25)});
    Append(expected, ShowAll());
    CompareOperations(fake.Log.Operations, expected);
    CHECK_EQ(fake.List(5).Selected, -1); // targets after the failure are left alone
    for (int list = 1; list <= logic::ListCount; ++list) {
        CHECK(fake.List(list).Visible);
    }
}

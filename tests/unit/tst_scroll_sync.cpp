#include "support/RecordingList.h"

#include <doctest/doctest.h>

using namespace testing;

void scrollCopiesTheTopRowOnly(int scrolled)
{
    FakeForm fake;
    fake.SetFlag(scrolled, true);
    fake.List(scrolled).Top = 20;
    fake.List(scrolled).Selected = 3;
    const int alreadyThere = scrolled == 7 ? 6 : 7;
    fake.List(alreadyThere).Top = 20; // written all the same

    fake.Scroll(scrolled);

    std::vector<Operation> expected = EveryList(Hide);
    for (const int target : AllBut(scrolled)) {
        expected.insert(expected.end(), {ReadTop(scrolled, 20), WriteTop(target, 20)});
    }
    CompareOperations(fake.Log.Operations, expected + EveryList(Show));

    for (int list = 1; list <= logic::ListCount; ++list) {
        CHECK_EQ(fake.List(list).Top, 20);
        CHECK_EQ(fake.List(list).Selected, list == scrolled ? 3 : -1);
        CHECK_EQ(fake.Form->HasFocus(list), list == scrolled);
    }
}

TEST_CASE("scrollCopiesTheTopRowOnly")
{
    ForEachList(scrollCopiesTheTopRowOnly);
}

TEST_CASE("hbFollowsOnlyWhileItHoldsTheFocus")
{
    FakeForm fake;
    fake.SetFlag(4, true);
    fake.List(1).Top = 20;

    fake.Scroll(1);

    CHECK(fake.Log.Operations.empty());
    CHECK(!fake.Form->List1HasFocus);
    CHECK(fake.Form->List4HasFocus);
}

void otherColumnsTakeTheLeadWhenScrolled(int scrolled, bool flagBefore)
{
    FakeForm fake;
    fake.SetFlag(1, true); // HB holds the focus
    fake.SetFlag(scrolled, flagBefore);
    fake.List(scrolled).Top = 98;

    fake.Scroll(scrolled);

    CHECK(fake.Form->List1HasFocus);
    CHECK(fake.Form->HasFocus(scrolled));
    fake.CheckEveryListOn(-1, 98);
}

TEST_CASE("otherColumnsTakeTheLeadWhenScrolled")
{
    ForEachList(
        [](int list) {
            for (const bool flagBefore : {false, true}) {
                INFO("flag ", flagBefore ? "true" : "false");
                otherColumnsTakeTheLeadWhenScrolled(list, flagBefore);
            }
        },
        2);
}

TEST_CASE("failedWriteShowsTheListsAgainAndKeepsTheFlag")
{
    FakeForm fake;
    fake.List(6).Top = 11;
    fake.Log.ShouldFail = [](const Operation& operation) { return operation == WriteTop(3, 11); };

    CHECK_THROWS_AS(fake.Scroll(6), logic::RunTimeError);

    CHECK(fake.Form->List6HasFocus);
    CHECK_EQ(fake.List(2).Top, 11); // nothing done before the failure is undone
    CHECK_EQ(fake.List(4).Top, 0);
    for (int list = 1; list <= logic::ListCount; ++list) {
        CHECK(fake.List(list).Visible);
    }
    CHECK_EQ(fake.Log.Operations.back(), Show(7));
}

#include "support/RecordingList.h"

#include <doctest/doctest.h>

using namespace testing;
using Kind = Operation::Kind;

TEST_CASE("completesTheFourShortColumnsInOrder")
{
    FakeForm fake(0);
    fake.Form->Form_Load();

    std::vector<Operation> expected;
    for (int i = 0; i < 57; ++i) {
        expected.push_back({3, Kind::Append, i, "-"});
    }
    for (int position = 0; position <= 56; ++position) {
        const char* text = position == 52 ? "100" : position == 54 ? "99" : "-";
        expected.push_back({4, Kind::Insert, position, text});
    }
    for (int i = 0; i < 79; ++i) {
        expected.push_back({5, Kind::Append, i, "-"});
    }
    for (int i = 0; i < 57; ++i) {
        expected.push_back({7, Kind::Append, i, "-"});
    }
    CompareOperations(fake.Log.Operations, expected);

    // The inserts land one after another in front of whatever the list held.
    CHECK_EQ(fake.List(4).Rows.at(52), std::string("100"));
    CHECK_EQ(fake.List(4).Rows.at(53), std::string("-"));
    CHECK_EQ(fake.List(4).Rows.at(54), std::string("99"));
    CHECK_EQ(fake.List(4).Rows.size(), size_t{57});
}

TEST_CASE("leavesEveryFlagFalseAndTheCounterAt58")
{
    FakeForm fake(0);
    for (int number = 1; number <= logic::ListCount; ++number) {
        fake.SetFlag(number, true);
    }
    fake.Form->Form_Load();
    for (int number = 1; number <= logic::ListCount; ++number) {
        INFO("List", number);
        CHECK(!fake.Form->HasFocus(number));
    }
    CHECK_EQ(fake.Form->FillIndex, std::int16_t{58});
    for (int number : {1, 2, 6}) {
        CHECK(fake.List(number).Rows.empty());
    }
}

TEST_CASE("stopsAtAFailedAddItemKeepingWhatWasAdded")
{
    FakeForm fake(0);
    fake.SetFlag(2, true);
    fake.Log.ShouldFail = [](const Operation& operation) {
        return operation.List == 4 && operation.Value == 10;
    };
    CHECK_THROWS_AS(fake.Form->Form_Load(), logic::RunTimeError);

    CHECK_EQ(fake.List(3).Rows.size(), size_t{57});
    CHECK_EQ(fake.List(4).Rows.size(), size_t{10});
    CHECK(fake.List(5).Rows.empty());
    CHECK(fake.List(7).Rows.empty());
    CHECK_EQ(fake.Form->FillIndex, std::int16_t{10});
    CHECK(fake.Form->List2HasFocus);
}

#include "support/FakeColumn.h"

#include <doctest/doctest.h>
#include <functional>

using testing::FakeColumn;
using Event = FakeColumn::Event;

namespace {

// From 100 rows, row 5 selected and row 2 on top. An operation out of range fails with `Error`
// and changes nothing.
struct Case {
    std::function<void(FakeColumn&)> Operation;
    std::vector<std::pair<Event, int>> Events;
    const char* Error;
};

const Case CodeWritesRaiseClickOnlyForAChangedSelection[] = {
    {[](FakeColumn& list) { list.SetListIndex(7); }, {{Event::Click, 7}}, nullptr},
    {[](FakeColumn& list) { list.SetListIndex(5); }, {}, nullptr},
    {[](FakeColumn& list) { list.SetListIndex(-1); }, {{Event::Click, -1}}, nullptr},
    {[](FakeColumn& list) { list.SetTopIndex(40); }, {}, nullptr},
    {[](FakeColumn& list) { list.AddItem("1", 3); }, {}, nullptr},
    {[](FakeColumn& list) { list.SetVisible(false), list.SetVisible(true); }, {}, nullptr},
    {[](FakeColumn& list) { list.SetListIndex(100); },
     {},
     "List3: ListIndex 100 is outside -1 to 99"},
    {[](FakeColumn& list) { list.SetListIndex(-2); },
     {},
     "List3: ListIndex -2 is outside -1 to 99"},
    {[](FakeColumn& list) { list.SetTopIndex(-1); }, {}, "List3: TopIndex -1 is outside 0 to 99"},
    {[](FakeColumn& list) { list.SetTopIndex(100); }, {}, "List3: TopIndex 100 is outside 0 to 99"},
    {[](FakeColumn& list) { list.AddItem("1", 101); },
     {},
     "List3: AddItem position 101 is outside 0 to 100"},
};

} // namespace

TEST_CASE("code writes raise click only for a changed selection and fail out of range")
{
    int index = 0;
    for (const Case& write : CodeWritesRaiseClickOnlyForAChangedSelection) {
        INFO("case ", index++);
        FakeColumn list;
        for (int row = 0; row < 100; ++row) {
            list.AddItem("-");
        }
        list.Selected = 5;
        list.Top = 2;
        if (write.Error != nullptr) {
            CHECK_THROWS_WITH_AS(write.Operation(list), write.Error, logic::RunTimeError);
            CHECK_EQ(std::pair(list.ListIndex(), list.TopIndex()), std::pair(5, 2));
            CHECK_EQ(list.RowCount(), 100);
        } else {
            write.Operation(list);
        }
        CHECK_EQ(list.Events, write.Events);
        CHECK(list.Painting);
        CHECK_FALSE(list.ChangedOutsideCodeWrite);
    }
}

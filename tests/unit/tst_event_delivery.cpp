#include "framework/EventDelivery.h"
#include "support/RecordingList.h"

#include <doctest/doctest.h>
#include <utility>

using namespace testing;

// The toolkit as the delivery sees it: posted calls run when the test lets them, as once the event
// is done, and the first box runs an event that fails while it is open, as a modal loop would.
TEST_CASE("errors are shown after the event one box at a time and none is lost")
{
    FakeForm fake;
    int posted = 0;
    std::vector<std::string> boxes;
    bool open = false;
    bool boxOverBox = false;
    framework::EventDelivery events(*fake.Form, [&] { ++posted; }, {});
    const auto runPosted = [&] {
        for (; posted > 0; --posted) {
            events.ShowPendingErrors();
        }
    };
    // List1's click hides every list first: with every operation failing, it fails there.
    const auto deliver = [&](bool fails) {
        fake.Log.ShouldFail = [fails](const Operation& /*operation*/) { return fails; };
        fake.SetFlag(1, true);
        events.Deliver(1, logic::ListEvent::Click);
    };
    events.SetErrorBox([&](const std::string& message) {
        boxOverBox |= std::exchange(open, true);
        boxes.push_back(message + " " + std::to_string(boxes.size()));
        if (boxes.size() == 1) {
            deliver(true);
            runPosted();
        }
        open = false;
    });
    deliver(false);
    runPosted();
    CHECK(boxes.empty());
    deliver(true);
    deliver(true);
    CHECK(boxes.empty());
    runPosted();
    CHECK_EQ(boxes, std::vector<std::string>{"Injected failure: List1 WriteVisible 0 0",
                                             "Injected failure: List1 WriteVisible 0 1",
                                             "Injected failure: List1 WriteVisible 0 2"});
    CHECK_FALSE(boxOverBox);
}

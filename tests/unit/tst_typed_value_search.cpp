#include "form/Form1Description.h"
#include "framework/TypedValueSearch.h"
#include "support/FakeColumn.h"
#include "support/RecordingList.h"

#include <algorithm>
#include <doctest/doctest.h>
#include <map>
#include <vector>

using namespace testing;
using framework::TypedValueSearch;

namespace {

constexpr int NoRow = TypedValueSearch::NoRow;

// Each scale's column as the window shows it after start-up: the design-time rows, then the
// rows the load procedure adds.
const std::vector<std::string>& Column(const char* scale)
{
    static const std::map<std::string, std::vector<std::string>> columns = [] {
        FakeForm fake;
        for (const form::ListDescription& list : form::Form1Description().Lists) {
            fake.List(list.Number).Rows.assign(list.Rows.begin(), list.Rows.end());
        }
        fake.Form->Form_Load();
        const std::map<std::string, int> listOfScale{{"HB", 1},  {"HV", 2},  {"HRC", 3}, {"HRB", 4},
                                                     {"HRA", 5}, {"HSh", 6}, {"HRCэ", 7}};
        std::map<std::string, std::vector<std::string>> loaded;
        for (const auto& [name, number] : listOfScale) {
            loaded[name] = fake.List(number).Rows;
        }
        return loaded;
    }();
    return columns.at(scale);
}

// What reaches the rule from the keyboard: a key's text, the keypad's decimal key with whatever
// text the layout gives it, or the keyboard interval running out.
struct Key {
    enum class Kind { Character, KeypadDecimal, Pause };
    Kind What = Kind::Character;
    std::string Text;
};
using Keys = std::vector<Key>;

Keys Typed(std::string_view characters)
{
    Keys keys;
    for (const char character : characters) {
        keys.push_back({Key::Kind::Character, std::string(1, character)});
    }
    return keys;
}

Keys Character(std::string text)
{
    return {{Key::Kind::Character, std::move(text)}};
}

Keys Keypad(std::string text)
{
    return {{Key::Kind::KeypadDecimal, std::move(text)}};
}

Keys Pause()
{
    return {{Key::Kind::Pause, {}}};
}

Keys operator+(Keys first, const Keys& second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

struct Selection {
    int WhileTyping = NoRow; // after the last character
    int Paused = NoRow;      // after the interval that follows it
};

// Feeds the keys to the focused list column, which moves the selection where the rule says. The
// rows go in from the last at the top: the rule must read them as inserted, not as appended.
Selection TypeInto(const std::vector<std::string>& rows, int start, const Keys& keys)
{
    FakeColumn list;
    std::for_each(rows.rbegin(), rows.rend(), [&list](const auto& row) { list.AddItem(row, 0); });
    list.Selected = start;
    for (const Key& key : keys) {
        if (key.What == Key::Kind::Pause) {
            list.TypingPaused();
        } else {
            list.Type(key.Text, key.What == Key::Kind::KeypadDecimal);
        }
    }
    Selection selection{list.Selected, NoRow};
    list.TypingPaused();
    selection.Paused = list.Selected;
    return selection;
}

struct Example {
    const char* Name;
    const char* Scale;
    int Start; // the selected row before typing
    Keys Typing;
    int WhileTyping;
    int Paused;
};

void CheckExamples(std::initializer_list<Example> examples)
{
    for (const Example& example : examples) {
        INFO(example.Name);
        const Selection selection = TypeInto(Column(example.Scale), example.Start, example.Typing);
        CHECK_EQ(selection.WhileTyping, example.WhileTyping);
        CHECK_EQ(selection.Paused, example.Paused);
    }
}

} // namespace

TEST_CASE("measuredValueSelectsTheNearestRowOnThePause")
{
    CheckExamples({
        {"HB 450 stays on 444", "HB", NoRow, Typed("450"), 24, 24},
        {"HB 399 moves on to 401", "HB", NoRow, Typed("399"), 30, 29},
        {"HB 112 finds 111", "HB", NoRow, Typed("112"), 105, 109},
        {"HRC 19 finds 20", "HRC", NoRow, Typed("19"), NoRow, 55},
        {"HV 600 leaves 695 for 598", "HV", NoRow, Typed("600"), 10, 15},
        {"HRA 80,2 finds 80", "HRA", NoRow, Typed("80,2"), 11, 12},
        {"HRA 80.2 finds 80", "HRA", NoRow, Typed("80.2"), 11, 12},
        {"HV 1100 finds 1076", "HV", NoRow, Typed("1100"), 0, 0},
        {"HRCэ 45,7 finds 45.5", "HRCэ", NoRow, Typed("45,7"), 28, 28},
        {"from a row further down", "HB", 80, Typed("399"), 30, 29},
    });
}

TEST_CASE("typedPrefixSelectsWhileTyping")
{
    CheckExamples({
        {"4, 44, 444 in HB", "HB", NoRow, Typed("444"), 24, 24},
        {"a prefix found keeps its row on the pause", "HRCэ", NoRow, Typed("45"), 28, 28},
        {"the same key after a pause steps on", "HB", NoRow, Typed("4") + Pause() + Typed("4"), 25,
         25},
        {"a new text starts after the selected row", "HV", 0, Typed("1"), 1, 1},
        {"and comes round past the end", "HB", 112, Typed("4"), 24, 24},
        {"a prefix with a comma", "HRA", NoRow, Typed("85,"), 2, 2},
    });
}

TEST_CASE("tiesGoToTheUpperRow")
{
    CheckExamples({
        {"HB 397 between 401 and 393", "HB", NoRow, Typed("397"), 30, 29},
        {"HRA 80.25 between 80.5 and 80", "HRA", NoRow, Typed("80.25"), 11, 11},
        {"HRCэ 69.55 between 70 and 69.1", "HRCэ", NoRow, Typed("69.55"), 1, 0},
        {"HSh 34.5 between 35 and the two 34", "HSh", NoRow, Typed("34.5"), 60, 58},
        {"HSh 20.4 on the first of five 20", "HSh", NoRow, Typed("20.4"), 107, 107},
    });
}

TEST_CASE("valuesPastAnEndSelectTheEndRow")
{
    CheckExamples({
        {"HB above 444", "HB", NoRow, Typed("5000"), NoRow, 24},
        {"HB below 107", "HB", NoRow, Typed("9"), NoRow, 112},
        {"HRB above 100", "HRB", 3, Typed("101"), 52, 52},
        {"HRC 0", "HRC", NoRow, Typed("0"), NoRow, 55},
        {"HSh below 19", "HSh", NoRow, Typed("0.5"), NoRow, 112},
        {"twenty digits", "HV", NoRow, Typed("99999999999999999999"), 2, 0},
        {"leading zeros count for nothing", "HB", NoRow, Typed("00000000000000000000450"), NoRow,
         24},
        {"more decimals than a millionth", "HRA", NoRow, Typed("80.2499999999999"), 11, 12},
    });
}

TEST_CASE("keypadDecimalKeyIsThePointWhateverItTypes")
{
    CheckExamples({
        {"point", "HRA", NoRow, Typed("80") + Keypad(".") + Typed("2"), 11, 12},
        {"comma", "HRA", NoRow, Typed("80") + Keypad(",") + Typed("2"), 11, 12},
        {"Arabic decimal separator", "HRA", NoRow, Typed("80") + Keypad("٫") + Typed("2"), 11, 12},
        {"no text at all", "HRA", NoRow, Typed("84") + Keypad("") + Typed("3"), 4, 4},
        {"the same character from the main keyboard is no point", "HRA", NoRow,
         Typed("80") + Character("٫") + Typed("2"), 11, 11},
    });
}

TEST_CASE("textThatIsNoNumberGoesNoFurtherThanItsPrefix")
{
    CheckExamples({
        {"letters", "HV", NoRow, Typed("abc"), NoRow, NoRow},
        {"a digit and a letter", "HB", NoRow, Typed("4x"), 24, 24},
        {"two points", "HRA", NoRow, Typed("80.2.1"), 11, 11},
        {"a sign", "HV", 5, Typed("+600"), 5, 5},
        {"control characters are no typing", "HB", NoRow,
         Typed("3\b9\x1b"
               "9"),
         30, 29},
    });
}

// Typing stops counting once the selection has been moved by something else.
TEST_CASE("aSelectionMovedMeanwhileEndsTheText")
{
    const std::vector<std::string>& hb = Column("HB");
    TypedValueSearch search;
    CHECK_EQ(search.Type("3", false, hb, NoRow), 30);
    CHECK_EQ(search.Type("9", false, hb, 30), 30);
    CHECK_EQ(search.Type("9", false, hb, 30), NoRow);
    CHECK_EQ(search.Pause(hb, 31), NoRow); // an arrow key went down meanwhile
    CHECK_EQ(search.Text(), std::string());

    CHECK_EQ(search.Type("4", false, hb, NoRow), 24);
    CHECK_EQ(search.Type("4", false, hb, 25), 26); // clicked on 437: "4" anew, after it
    CHECK_EQ(search.Text(), std::string("4"));
}

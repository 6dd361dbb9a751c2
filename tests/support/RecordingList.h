#pragma once

#include "logic/Form1.h"

#include <array>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace testing {

// One list operation as the window logic made it.
struct Operation {
    enum class Kind {
        Append,
        Insert,
        ReadListIndex,
        WriteListIndex,
        ReadTopIndex,
        WriteTopIndex,
        WriteVisible
    };

    int List = 0;
    Kind What = Kind::Append;
    int Value = 0; // position, row, or 1/0 for shown/hidden
    std::string Text;

    bool operator==(const Operation&) const = default;
};

std::string Describe(const Operation& operation);
std::ostream& operator<<(std::ostream& out, const Operation& operation);

// Every operation of all seven lists, in the order they happened, and a way to make one fail.
struct Journal {
    std::vector<Operation> Operations;
    std::function<bool(const Operation&)> ShouldFail;
};

// A list that records what is done to it and behaves as the window logic expects of a list:
// a ListIndex write that changes the value raises the click procedure inside the write.
class RecordingList final : public logic::ListControl {
public:
    RecordingList(int number, Journal& journal) : Number(number), Log(journal) {}

    void AddItem(const std::string& text) override;
    void AddItem(const std::string& text, int position) override;
    int ListIndex() const override;
    void SetListIndex(int row) override;
    int TopIndex() const override;
    void SetTopIndex(int row) override;
    void SetVisible(bool visible) override;

    std::vector<std::string> Rows;
    int Selected = -1;
    int Top = 0;
    bool Visible = true;
    std::function<void()> OnClick;

private:
    void Record(Operation operation) const;

    int Number;
    Journal& Log;
};

// Seven recording lists wired to one Form1, with every changed ListIndex write delivered to the
// list's click procedure. Each list starts with `rows` rows, put in without recording them: 113,
// as after start-up.
struct FakeForm {
    explicit FakeForm(int rows = 113);

    Journal Log;
    std::array<std::unique_ptr<RecordingList>, logic::ListCount> Lists;
    std::unique_ptr<logic::Form1> Form;

    RecordingList& List(int number) { return *Lists.at(static_cast<size_t>(number - 1)); }
    void Click(int number);
    void Scroll(int number);
    void SetFlag(int number, bool value);
    // Checks that every list is shown with the given row selected and on top.
    void CheckEveryListOn(int selected, int top);
};

// Expected operations, written the way the tests think about them.
Operation Hide(int list);
Operation Show(int list);
Operation ReadSelection(int list, int row);
Operation WriteSelection(int list, int row);
Operation ReadTop(int list, int row);
Operation WriteTop(int list, int row);
// The same operation of every list, List1 first: EveryList(Hide).
std::vector<Operation> EveryList(Operation (*operation)(int list));
// A click's copy to each target in turn: the source's selection, then its top row, each read
// afresh.
std::vector<Operation> Copies(int source, const std::vector<int>& targets, int row, int top);
std::vector<Operation> operator+(std::vector<Operation> first,
                                 const std::vector<Operation>& second);
// Every list but one, List1 first.
std::vector<int> AllBut(int list);

// One data row a list: runs the check for List1 ... List7 (or from `first` on), naming the row
// in every failure it reports.
void ForEachList(const std::function<void(int list)>& check, int first = 1);

// Fails the running check at the first operation that differs, naming both.
void CompareOperations(const std::vector<Operation>& actual,
                       const std::vector<Operation>& expected);

} // namespace testing

#include "RecordingList.h"

#include <algorithm>
#include <doctest/doctest.h>

namespace testing {

std::string Describe(const Operation& operation)
{
    static const char* const names[] = {"Append",         "Insert",       "ReadListIndex",
                                        "WriteListIndex", "ReadTopIndex", "WriteTopIndex",
                                        "WriteVisible"};
    return "List" + std::to_string(operation.List) + " " + names[static_cast<int>(operation.What)] +
           " " + std::to_string(operation.Value) +
           (operation.Text.empty() ? "" : " \"" + operation.Text + "\"");
}

void RecordingList::Record(Operation operation) const
{
    operation.List = Number;
    Log.Operations.push_back(operation);
    if (Log.ShouldFail && Log.ShouldFail(operation)) {
        throw logic::RunTimeError("Injected failure: " + Describe(operation));
    }
}

void RecordingList::AddItem(const std::string& text)
{
    Record({0, Operation::Kind::Append, static_cast<int>(Rows.size()), text});
    Rows.push_back(text);
}

void RecordingList::AddItem(const std::string& text, int position)
{
    Record({0, Operation::Kind::Insert, position, text});
    Rows.insert(Rows.begin() + position, text);
}

int RecordingList::ListIndex() const
{
    Record({0, Operation::Kind::ReadListIndex, Selected, {}});
    return Selected;
}

void RecordingList::SetListIndex(int row)
{
    Record({0, Operation::Kind::WriteListIndex, row, {}});
    if (row == Selected) {
        return;
    }
    Selected = row;
    if (OnClick) {
        OnClick();
    }
}

int RecordingList::TopIndex() const
{
    Record({0, Operation::Kind::ReadTopIndex, Top, {}});
    return Top;
}

void RecordingList::SetTopIndex(int row)
{
    Record({0, Operation::Kind::WriteTopIndex, row, {}});
    Top = row;
}

void RecordingList::SetVisible(bool visible)
{
    Record({0, Operation::Kind::WriteVisible, visible ? 1 : 0, {}});
    Visible = visible;
}

FakeForm::FakeForm(int rows)
{
    logic::Form1::Lists controls{};
    for (int number = 1; number <= logic::ListCount; ++number) {
        Lists.at(static_cast<size_t>(number - 1)) = std::make_unique<RecordingList>(number, Log);
        controls.at(static_cast<size_t>(number - 1)) = &List(number);
        List(number).Rows.assign(static_cast<size_t>(rows), "-");
    }
    Form = std::make_unique<logic::Form1>(controls);
    for (int number = 1; number <= logic::ListCount; ++number) {
        List(number).OnClick = [this, number] { Click(number); };
    }
}

void FakeForm::Click(int number)
{
    (Form.get()->*logic::Form1::ProceduresOf(number).Click)();
}

void FakeForm::Scroll(int number)
{
    (Form.get()->*logic::Form1::ProceduresOf(number).Scroll)();
}

void FakeForm::SetFlag(int number, bool value)
{
    const auto& procedures = logic::Form1::ProceduresOf(number);
    (Form.get()->*(value ? procedures.GotFocus : procedures.LostFocus))();
}

void FakeForm::CheckEveryListOn(int selected, int top)
{
    ForEachList([&](int list) {
        CHECK_EQ(List(list).Selected, selected);
        CHECK_EQ(List(list).Top, top);
        CHECK(List(list).Visible);
    });
}

Operation Hide(int list)
{
    return {list, Operation::Kind::WriteVisible, 0, {}};
}
Operation Show(int list)
{
    return {list, Operation::Kind::WriteVisible, 1, {}};
}
Operation ReadSelection(int list, int row)
{
    return {list, Operation::Kind::ReadListIndex, row, {}};
}
Operation WriteSelection(int list, int row)
{
    return {list, Operation::Kind::WriteListIndex, row, {}};
}
Operation ReadTop(int list, int row)
{
    return {list, Operation::Kind::ReadTopIndex, row, {}};
}
Operation WriteTop(int list, int row)
{
    return {list, Operation::Kind::WriteTopIndex, row, {}};
}

std::vector<Operation> EveryList(Operation (*operation)(int list))
{
    std::vector<Operation> operations;
    for (int list = 1; list <= logic::ListCount; ++list) {
        operations.push_back(operation(list));
    }
    return operations;
}

std::vector<Operation> Copies(int source, const std::vector<int>& targets, int row, int top)
{
    std::vector<Operation> operations;
    for (const int target : targets) {
        operations.insert(operations.end(),
                          {ReadSelection(source, row), WriteSelection(target, row),
                           ReadTop(source, top), WriteTop(target, top)});
    }
    return operations;
}

std::vector<Operation> operator+(std::vector<Operation> first, const std::vector<Operation>& second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

std::vector<int> AllBut(int list)
{
    std::vector<int> others;
    for (int other = 1; other <= logic::ListCount; ++other) {
        if (other != list) {
            others.push_back(other);
        }
    }
    return others;
}

void ForEachList(const std::function<void(int list)>& check, int first)
{
    for (int list = first; list <= logic::ListCount; ++list) {
        INFO("List", list);
        check(list);
    }
}

std::ostream& operator<<(std::ostream& out, const Operation& operation)
{
    return out << Describe(operation);
}

void CompareOperations(const std::vector<Operation>& actual, const std::vector<Operation>& expected)
{
    const size_t common = std::min(actual.size(), expected.size());
    for (size_t i = 0; i < common; ++i) {
        if (!(actual[i] == expected[i])) {
            FAIL_CHECK("operation ", i, " is ", actual[i], ", expected ", expected[i]);
            return;
        }
    }
    if (actual.size() != expected.size()) {
        const Operation& extra =
            actual.size() > expected.size() ? actual[common] : expected[common];
        FAIL_CHECK(actual.size(), " operations, expected ", expected.size(),
                   "; first unmatched: ", extra);
    }
}

} // namespace testing

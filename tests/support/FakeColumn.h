#pragma once

#include "framework/ListColumn.h"

namespace testing {

// A list column over a toolkit's list made of plain values, with every event it raises recorded
// with the row then selected. It notes a change made outside a code write, which a toolkit would
// take for the user's.
class FakeColumn final : public framework::ListColumn {
public:
    FakeColumn() : ListColumn("List3")
    {
        SetEventHandler([this](Event event) { Events.emplace_back(event, Selected); });
    }

    using ListColumn::Type;
    using ListColumn::TypingPaused;

    std::vector<std::pair<Event, int>> Events;
    int Selected = -1;
    int Top = 0;
    bool Painting = true;
    bool Focused = true;
    bool ChangedOutsideCodeWrite = false;

private:
    void InsertRows(int /*position*/, std::span<const std::string_view> /*texts*/) override
    {
        Changed();
    }
    int SelectedRow() const override { return Selected; }
    void SelectRow(int row) override { Changed(), Selected = row; }
    int FirstVisibleRow() const override { return Top; }
    void ScrollToRow(int row) override { Changed(), Top = row; }
    void SetPainting(bool painting) override { Changed(), Painting = painting; }
    bool HasFocus() const override { return Focused; }
    void MoveByTyping(int row) override { Selected = row; }
    void RestartTypingPause() override {}
    void Changed() { ChangedOutsideCodeWrite |= !InCodeWrite(); }
};

} // namespace testing

#include "ListColumn.h"

namespace framework {

ListColumn::CodeWrite::~CodeWrite()
{
    List.CodeWriteEnded();
    --List.CodeWriteDepth;
}

void ListColumn::CheckRange(const char* property, int value, int first, int last) const
{
    if (value < first || value > last) {
        Fail(std::string(property) + " " + std::to_string(value) + " is outside " +
             std::to_string(first) + " to " + std::to_string(last));
    }
}

void ListColumn::Fail(const std::string& what) const
{
    throw logic::RunTimeError(ControlName + ": " + what);
}

void ListColumn::Insert(int position, std::span<const std::string_view> texts)
{
    {
        const CodeWrite write(*this);
        InsertRows(position, texts);
    }
    Texts.insert(Texts.begin() + position, texts.begin(), texts.end());
}

void ListColumn::AddItem(const std::string& text, int position)
{
    CheckRange("AddItem position", position, 0, RowCount());
    const std::string_view row = text;
    Insert(position, {&row, 1});
}

void ListColumn::SetListIndex(int row)
{
    CheckRange("ListIndex", row, -1, RowCount() - 1);
    // An unchanged write raises nothing: two lists that both lead would otherwise call each
    // other without end.
    if (row == ListIndex()) {
        return;
    }
    {
        const CodeWrite write(*this);
        SelectRow(row);
    }
    Raise(Event::Click);
}

void ListColumn::SetTopIndex(int row)
{
    CheckRange("TopIndex", row, 0, RowCount() - 1);
    const CodeWrite write(*this);
    ScrollToRow(row);
}

void ListColumn::SetVisible(bool visible)
{
    const CodeWrite write(*this);
    SetPainting(visible);
}

void ListColumn::Raise(Event event)
{
    if (Handler) {
        Handler(event);
    }
}

void ListColumn::Type(std::string_view text, bool keypadDecimalKey)
{
    const int row = Typing.Type(text, keypadDecimalKey, Texts, ListIndex());
    if (row != TypedValueSearch::NoRow) {
        MoveByTyping(row);
    }
    RestartTypingPause();
}

bool ListColumn::TypingPaused()
{
    const int row = Typing.Pause(Texts, ListIndex());
    if (row == TypedValueSearch::NoRow || !HasFocus()) {
        return false;
    }
    MoveByTyping(row);
    return true;
}

} // namespace framework

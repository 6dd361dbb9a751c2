#pragma once

#include "framework/TypedValueSearch.h"
#include "logic/Form1.h"

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace framework {

// A list column as the window logic sees it, the same in every build, on a few primitives of a
// toolkit's list that each binding supplies. Its four events mean, as the logic relies on:
// - Click: a code write of ListIndex raises it inside the write, and only when the value
//   changes; a user selection raises it once, after the list has finished moving; a mouse press
//   on a row raises it even when that row was already selected;
// - Scroll: only for scrolling that follows the user's input, never for code writes;
// - GotFocus and LostFocus: as the focus enters and leaves the list.
// SetVisible suspends painting instead of hiding, so the focus never moves and no row jumps.
class ListColumn : public logic::ListControl {
public:
    using Event = logic::ListEvent;
    using EventHandler = std::function<void(Event)>;

    void SetEventHandler(EventHandler handler) { Handler = std::move(handler); }
    const std::string& Name() const { return ControlName; }
    int RowCount() const { return static_cast<int>(Texts.size()); }
    // Empty with no row selected.
    std::string SelectedText() const
    {
        const int row = ListIndex();
        return row < 0 ? std::string() : Texts.at(static_cast<size_t>(row));
    }

    // The rows the list is created with, all at once: one insertion for the toolkit to take in.
    void AddItems(std::span<const std::string_view> texts) { Insert(RowCount(), texts); }
    void AddItem(const std::string& text) override { AddItem(text, RowCount()); }
    void AddItem(const std::string& text, int position) override;
    int ListIndex() const override { return SelectedRow(); }
    void SetListIndex(int row) override;
    int TopIndex() const override { return FirstVisibleRow(); }
    void SetTopIndex(int row) override;
    void SetVisible(bool visible) override;

protected:
    explicit ListColumn(std::string name) : ControlName(std::move(name)) {}

    // While code changes a list, what the toolkit reports in consequence is not the user's doing.
    class CodeWrite {
    public:
        explicit CodeWrite(ListColumn& list) : List(list) { ++List.CodeWriteDepth; }
        ~CodeWrite();
        CodeWrite(const CodeWrite&) = delete;
        CodeWrite& operator=(const CodeWrite&) = delete;

    private:
        ListColumn& List;
    };
    bool InCodeWrite() const { return CodeWriteDepth > 0; }

    // The toolkit's list. Each is called in range; a write is called inside a code write and
    // throws RunTimeError (Fail) if the toolkit refuses it. SelectRow(-1) clears the selection.
    virtual void InsertRows(int position, std::span<const std::string_view> texts) = 0;
    virtual int SelectedRow() const = 0;
    virtual void SelectRow(int row) = 0;
    virtual int FirstVisibleRow() const = 0;
    virtual void ScrollToRow(int row) = 0;
    virtual void SetPainting(bool painting) = 0;
    virtual bool HasFocus() const = 0;
    // The user's own move by typing: the caret and the selection to the row, no event raised.
    virtual void MoveByTyping(int row) = 0;
    // Each typed character restarts the keyboard interval; TypingPaused is called when it ends.
    virtual void RestartTypingPause() = 0;
    // A code write has ended; the toolkit's own view of the list is now the code's.
    virtual void CodeWriteEnded() {}

    void Raise(Event event);
    [[noreturn]] void Fail(const std::string& what) const;

    // Typing (TypedValueSearch) over the rows as they were added.
    void Type(std::string_view text, bool keypadDecimalKey);
    // Whether the pause moved the list; never once the focus has left, as the other columns
    // would no longer follow.
    bool TypingPaused();

private:
    void Insert(int position, std::span<const std::string_view> texts);
    void CheckRange(const char* property, int value, int first, int last) const;

    std::string ControlName;
    std::vector<std::string> Texts;
    EventHandler Handler;
    int CodeWriteDepth = 0;
    TypedValueSearch Typing;
};

} // namespace framework

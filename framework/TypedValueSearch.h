#pragma once

#include <span>
#include <string>
#include <string_view>

namespace framework {

// Typing into a list column, the same in every build: a user types a value just measured and the
// column selects its row.
// - Characters that follow each other within the keyboard interval make one text. A comma counts
//   as the decimal point, and so does the numeric keypad's decimal key, whatever character the
//   keyboard layout gives it.
// - While typing, the first row whose text starts with the typed text is selected, searching from
//   the current row on; a new text starts after the current row, so that repeating one key steps
//   through the rows that start with it.
// - When typing pauses and the text is a number that no row starts with, the row whose value is
//   nearest is selected, the upper one on a tie; past either end of the column that is the end
//   row. Rows without a value ("-", " -") never match, and a text that is no number selects
//   nothing beyond the prefix rule.
// The binding owns the timer: each typed character restarts it, and its running out is the pause.
class TypedValueSearch {
public:
    static constexpr int NoRow = -1;

    // One key's text, typed while `current` is the selected row (NoRow for none). Returns the row
    // to select, or NoRow to leave the list as it is.
    int Type(std::string_view text, bool keypadDecimalKey, std::span<const std::string> rows,
             int current);

    // The keyboard interval has passed since the last character. Returns the row to select, or
    // NoRow; the next character starts a new text.
    int Pause(std::span<const std::string> rows, int current);

    // What has been typed since the last pause, with the decimal point made a point.
    const std::string& Text() const { return Typed; }

private:
    std::string Typed;
    // Where the last character left the selection; a selection moved since then by anything
    // else (a click, an arrow key, another column) ends the typed text.
    int RowAfterTyping = NoRow;
};

// The first row, from `start` on and round past the end, whose text starts with `prefix`.
int FirstRowStartingWith(std::span<const std::string> rows, std::string_view prefix, int start);

// The row whose value is nearest to `number`, the upper one on a tie; NoRow when `number` is no
// number or no row has a value. Values count to the millionth.
int NearestValueRow(std::span<const std::string> rows, std::string_view number);

} // namespace framework

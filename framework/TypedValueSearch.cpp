#include "TypedValueSearch.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <utility>

namespace framework {
namespace {

constexpr char DecimalPoint = '.';
constexpr char DecimalComma = ',';

// Values are compared as whole millionths: exact for every value in the table and for the
// midpoint between any two of them, so ties are real ties.
constexpr std::int64_t Millionth = 1'000'000;
constexpr std::size_t FractionDigits = 6;
// A longer whole part lies past every row's value, and would overflow the arithmetic.
constexpr std::size_t WholeDigits = 12;
constexpr std::int64_t PastEveryValue = Millionth * 1'000'000 * 1'000'000;

bool IsDigit(char character)
{
    return character >= '0' && character <= '9';
}

bool AllDigits(std::string_view text)
{
    return std::ranges::all_of(text, IsDigit);
}

// Backspace, Escape and the like arrive as text in some toolkits; they are no typing.
bool IsControl(char character)
{
    const auto code = static_cast<unsigned char>(character);
    return code < 0x20 || code == 0x7f;
}

// Digits with at most one decimal point, in millionths; no sign, no blanks, no exponent.
std::optional<std::int64_t> ValueOf(std::string_view text)
{
    const std::size_t point = text.find(DecimalPoint);
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    if (whole.empty() && fraction.empty()) {
        return std::nullopt;
    }
    if (!AllDigits(whole) || !AllDigits(fraction)) {
        return std::nullopt;
    }
    const std::string_view significant =
        whole.substr(std::min(whole.find_first_not_of('0'), whole.size()));
    if (significant.size() > WholeDigits) {
        return PastEveryValue;
    }
    std::int64_t value = 0;
    for (const char digit : significant) {
        value = value * 10 + (digit - '0');
    }
    value *= Millionth;
    std::int64_t place = Millionth;
    for (const char digit : fraction.substr(0, FractionDigits)) {
        place /= 10;
        value += (digit - '0') * place;
    }
    return value;
}

std::string WithDecimalPoint(std::string_view text)
{
    std::string normal(text);
    std::ranges::replace(normal, DecimalComma, DecimalPoint);
    return normal;
}

} // namespace

int FirstRowStartingWith(std::span<const std::string> rows, std::string_view prefix, int start)
{
    const auto count = static_cast<int>(rows.size());
    if (count == 0) {
        return TypedValueSearch::NoRow;
    }
    const int first = ((start % count) + count) % count;
    for (int step = 0; step < count; ++step) {
        const int row = (first + step) % count;
        if (rows[static_cast<std::size_t>(row)].starts_with(prefix)) {
            return row;
        }
    }
    return TypedValueSearch::NoRow;
}

int NearestValueRow(std::span<const std::string> rows, std::string_view number)
{
    const std::optional<std::int64_t> target = ValueOf(number);
    if (!target) {
        return TypedValueSearch::NoRow;
    }
    int nearest = TypedValueSearch::NoRow;
    std::int64_t nearestDistance = 0;
    for (std::size_t row = 0; row < rows.size(); ++row) {
        const std::optional<std::int64_t> value = ValueOf(rows[row]);
        if (!value) {
            continue;
        }
        const std::int64_t distance = *value > *target ? *value - *target : *target - *value;
        // Strictly nearer only: on a tie the upper row, met first, stays.
        if (nearest == TypedValueSearch::NoRow || distance < nearestDistance) {
            nearest = static_cast<int>(row);
            nearestDistance = distance;
        }
    }
    return nearest;
}

int TypedValueSearch::Type(std::string_view text, bool keypadDecimalKey,
                           std::span<const std::string> rows, int current)
{
    if (!keypadDecimalKey && (text.empty() || std::ranges::any_of(text, IsControl))) {
        return NoRow;
    }
    if (current != RowAfterTyping) {
        Typed.clear();
    }
    const bool continues = !Typed.empty();
    Typed += keypadDecimalKey ? std::string(1, DecimalPoint) : WithDecimalPoint(text);
    const int row =
        FirstRowStartingWith(rows, Typed, continues ? std::max(current, 0) : current + 1);
    RowAfterTyping = row == NoRow ? current : row;
    return row;
}

int TypedValueSearch::Pause(std::span<const std::string> rows, int current)
{
    const std::string typed = std::exchange(Typed, std::string());
    if (typed.empty() || current != RowAfterTyping ||
        FirstRowStartingWith(rows, typed, 0) != NoRow) {
        return NoRow;
    }
    return NearestValueRow(rows, typed);
}

} // namespace framework

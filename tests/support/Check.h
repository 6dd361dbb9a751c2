#pragma once

// The few checks the unit tests of the window logic need. They build with any C++20 compiler,
// so the same tests run natively and, cross-compiled, under Wine; no toolkit is involved.

#include <exception>
#include <functional>
#include <initializer_list>
#include <sstream>
#include <string>
#include <type_traits>

namespace testing {

// A failed check: ends the running test case.
struct CheckFailure {
    std::string Message;
};

[[noreturn]] void Fail(const std::string& message, const char* file, int line);

// Names the data row a check runs in, for the failure message; rows nest.
class Row {
public:
    explicit Row(std::string name);
    ~Row();
    Row(const Row&) = delete;
    Row& operator=(const Row&) = delete;
};

template <typename T> std::string Printable(const T& value)
{
    std::ostringstream text;
    if constexpr (std::is_same_v<T, bool>) {
        text << (value ? "true" : "false");
    } else if constexpr (std::is_integral_v<T>) {
        text << static_cast<long long>(value);
    } else {
        text << value;
    }
    return text.str();
}

template <typename A, typename B>
void CheckEqual(const A& actual, const B& expected, const char* what, const char* file, int line)
{
    if (!(actual == expected)) {
        Fail(std::string(what) + ": " + Printable(actual) + ", expected " + Printable(expected),
             file, line);
    }
}

struct TestCase {
    const char* Name;
    std::function<void()> Body;
};

// Runs every case, prints each failure and a closing "N passed, N failed" line; the exit status
// is the number of failed cases.
int RunAll(std::initializer_list<TestCase> cases);

} // namespace testing

#define CHECK(condition)                                                                           \
    ((condition) ? void() : ::testing::Fail("CHECK(" #condition ")", __FILE__, __LINE__))
#define CHECK_EQUAL(actual, expected)                                                              \
    ::testing::CheckEqual((actual), (expected), #actual, __FILE__, __LINE__)
#define CHECK_THROWS(ExceptionType, expression)                                                    \
    do {                                                                                           \
        try {                                                                                      \
            expression;                                                                            \
        } catch (const ExceptionType&) {                                                           \
            break;                                                                                 \
        }                                                                                          \
        ::testing::Fail(#expression " did not throw " #ExceptionType, __FILE__, __LINE__);         \
    } while (false)

#include "Check.h"

#include <cstdio>
#include <vector>

namespace testing {
namespace {

std::vector<std::string>& Rows()
{
    static std::vector<std::string> rows;
    return rows;
}

} // namespace

void Fail(const std::string& message, const char* file, int line)
{
    std::string where;
    for (const std::string& row : Rows()) {
        where += "[" + row + "] ";
    }
    throw CheckFailure{where + message + " (" + file + ":" + std::to_string(line) + ")"};
}

Row::Row(std::string name)
{
    Rows().push_back(std::move(name));
}

Row::~Row()
{
    Rows().pop_back();
}

int RunAll(std::initializer_list<TestCase> cases)
{
    int passed = 0;
    int failed = 0;
    for (const TestCase& test : cases) {
        std::string failure;
        try {
            test.Body();
        } catch (const CheckFailure& check) {
            failure = check.Message;
        } catch (const std::exception& exception) {
            failure = std::string("unexpected exception: ") + exception.what();
        }
        Rows().clear();
        if (failure.empty()) {
            ++passed;
            std::printf("PASS   %s\n", test.Name);
        } else {
            ++failed;
            std::printf("FAIL!  %s: %s\n", test.Name, failure.c_str());
        }
    }
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed;
}

} // namespace testing

// A start that fails: the window description lacks List4, so the load procedure cannot complete
// the table. The program must report the error and end with status 1, showing no window.

#include "form/Form1Description.h"
#include "framework/win32/Program.h"

#include <cstdio>
#include <string>
#include <vector>

int main()
{
    const form::FormDescription& complete = form::Form1Description();
    std::vector<form::ListDescription> lists;
    for (const form::ListDescription& list : complete.Lists) {
        if (list.Number != 4) {
            lists.push_back(list);
        }
    }
    form::FormDescription broken = complete;
    broken.Lists = lists;

    std::wstring reported;
    const int status = framework::win32::Run(
        broken, SW_SHOWNORMAL, [&reported](const std::wstring& message) { reported = message; });
    const bool shown = FindWindowW(L"Form1", nullptr) != nullptr;
    std::printf("status %d, reported \"%ls\", window %s\n", status, reported.c_str(),
                shown ? "shown" : "none");
    const bool passed = status == 1 && reported.find(L"List4") != std::wstring::npos && !shown;
    std::printf("%d passed, %d failed\n", passed ? 1 : 0, passed ? 0 : 1);
    return passed ? 0 : 1;
}

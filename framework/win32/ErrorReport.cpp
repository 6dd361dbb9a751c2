#include "ErrorReport.h"

#include "Text.h"

namespace framework::win32 {

void ShowErrorBox(HWND owner, const std::wstring& message)
{
    MessageBoxW(owner, message.c_str(), L"hardness-table", MB_OK | MB_ICONERROR);
}

std::wstring DescribeException(std::exception_ptr error)
{
    try {
        std::rethrow_exception(std::move(error));
    } catch (const std::exception& exception) {
        return Widen(exception.what());
    } catch (...) {
        return L"Unknown error";
    }
}

} // namespace framework::win32

#include "Program.h"

#include "Form1Window.h"
#include "Text.h"
#include "framework/EventDelivery.h"

#include <commctrl.h>
#include <memory>

namespace framework::win32 {

void ShowErrorBox(HWND owner, const std::wstring& message)
{
    MessageBoxW(owner, message.c_str(), L"hardness-table", MB_OK | MB_ICONERROR);
}

int Run(const form::FormDescription& description, int showCommand,
        const ErrorReporter& reportStartFailure)
{
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    std::unique_ptr<Form1Window> window;
    try {
        window = std::make_unique<Form1Window>(description);
        window->Load();
    } catch (...) {
        reportStartFailure(Widen(DescribeException(std::current_exception())));
        return 1;
    }
    window->Show(showCommand);
    return Form1Window::RunMessageLoop(window->Handle());
}

} // namespace framework::win32

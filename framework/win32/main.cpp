#include "Program.h"
#include "form/Form1Description.h"

int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int showCommand)
{
    return framework::win32::Run(
        form::Form1Description(), showCommand,
        [](const std::wstring& message) { framework::win32::ShowErrorBox(nullptr, message); });
}

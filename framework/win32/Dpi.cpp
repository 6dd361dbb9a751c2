#include "Dpi.h"

#include "logic/ListControl.h"

namespace framework::win32 {
namespace {

constexpr int MonitorEffectiveDpi = 0; // MDT_EFFECTIVE_DPI

template <typename Function> void LookUp(HMODULE module, const char* name, Function& function)
{
    if (module != nullptr) {
        function =
            reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
    }
}

} // namespace

const DpiFunctions& DpiFunctions::OfSystem()
{
    static const DpiFunctions functions = [] {
        DpiFunctions found;
        const HMODULE user = GetModuleHandleW(L"user32.dll");
        LookUp(user, "GetDpiForWindow", found.GetDpiForWindow);
        LookUp(user, "AdjustWindowRectExForDpi", found.AdjustWindowRectExForDpi);
        LookUp(user, "SystemParametersInfoForDpi", found.SystemParametersInfoForDpi);
        LookUp(user, "EnableNonClientDpiScaling", found.EnableNonClientDpiScaling);
        // Loaded, not imported: Windows 7 has no shcore.dll. From the system's folder only, never
        // one beside the program.
        LookUp(LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32),
               "GetDpiForMonitor", found.GetDpiForMonitor);
        return found;
    }();
    return functions;
}

Dpi::Dpi(const DpiFunctions& functions) : Functions(functions)
{
    HDC screen = GetDC(nullptr);
    SystemDotsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
}

int Dpi::OfWindow(HWND window) const
{
    if (Functions.GetDpiForWindow != nullptr) {
        return static_cast<int>(Functions.GetDpiForWindow(window));
    }
    UINT x = 0;
    UINT y = 0;
    if (Functions.GetDpiForMonitor != nullptr &&
        SUCCEEDED(Functions.GetDpiForMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST),
                                             MonitorEffectiveDpi, &x, &y))) {
        return static_cast<int>(y);
    }
    return SystemDotsPerInch;
}

SIZE Dpi::FrameSize(SIZE client, DWORD style, DWORD exStyle, int dotsPerInch) const
{
    RECT frame{0, 0, client.cx, client.cy};
    if (Functions.AdjustWindowRectExForDpi != nullptr) {
        Functions.AdjustWindowRectExForDpi(&frame, style, FALSE, exStyle,
                                           static_cast<UINT>(dotsPerInch));
    } else {
        // Without it the system draws the frame at its own metrics, whatever the monitor's DPI.
        AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    }
    return {frame.right - frame.left, frame.bottom - frame.top};
}

LOGFONTW Dpi::MessageFont(int dotsPerInch) const
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    const bool atDpi = Functions.SystemParametersInfoForDpi != nullptr;
    if (!(atDpi ? Functions.SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics),
                                                       &metrics, 0, static_cast<UINT>(dotsPerInch))
                : SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))) {
        throw logic::RunTimeError("Cannot read the system's message font");
    }
    // The system's own metrics are at the system's DPI, which a monitor's may differ from.
    if (!atDpi) {
        metrics.lfMessageFont.lfHeight =
            MulDiv(metrics.lfMessageFont.lfHeight, dotsPerInch, SystemDotsPerInch);
    }
    return metrics.lfMessageFont;
}

void Dpi::OnNonClientCreate(HWND window) const
{
    if (Functions.EnableNonClientDpiScaling != nullptr) {
        Functions.EnableNonClientDpiScaling(window);
    }
}

} // namespace framework::win32

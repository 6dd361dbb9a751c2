#pragma once

#include <windows.h>

namespace framework::win32 {

// The DPI functions that came after Windows 7, looked up at run time so that the program starts
// on Windows 7 too; a null one is missing from the system.
struct DpiFunctions {
    // Windows 10 1607, user32.dll.
    UINT(WINAPI* GetDpiForWindow)(HWND) = nullptr;
    BOOL(WINAPI* AdjustWindowRectExForDpi)(RECT*, DWORD, BOOL, DWORD, UINT) = nullptr;
    BOOL(WINAPI* SystemParametersInfoForDpi)(UINT, UINT, void*, UINT, UINT) = nullptr;
    BOOL(WINAPI* EnableNonClientDpiScaling)(HWND) = nullptr;
    // Windows 8.1, shcore.dll.
    HRESULT(WINAPI* GetDpiForMonitor)(HMONITOR, int, UINT*, UINT*) = nullptr;

    // The running system's, looked up once.
    static const DpiFunctions& OfSystem();
};

// The DPI a window works at and the system's metrics at that DPI, each by the newest means the
// system has: per window, with the frame and fonts for any DPI (Windows 10 1607 on); per monitor,
// with the frame at the system's metrics and the fonts scaled from the system's DPI (8.1, 10
// before 1607); the system's one DPI (7).
class Dpi final {
public:
    explicit Dpi(const DpiFunctions& functions);

    int OfWindow(HWND window) const;
    // The outer size of a window with that client area.
    SIZE FrameSize(SIZE client, DWORD style, DWORD exStyle, int dotsPerInch) const;
    LOGFONTW MessageFont(int dotsPerInch) const;
    // From WM_NCCREATE: at per-monitor v1 awareness, Windows 10 1607 scales the frame only when
    // asked to here.
    void OnNonClientCreate(HWND window) const;

private:
    DpiFunctions Functions;
    int SystemDotsPerInch;
};

} // namespace framework::win32

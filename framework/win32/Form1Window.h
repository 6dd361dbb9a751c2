#pragma once

#include "Dpi.h"
#include "ListBox.h"
#include "form/FormDescription.h"
#include "framework/EventDelivery.h"
#include "logic/Form1.h"

#include <array>
#include <memory>
#include <string>
#include <vector>
#include <windows.h>

namespace framework::win32 {

// The one window on the system's own controls, built from its description, with every list
// event delivered to the event procedure of the same name. It works at the DPI the given
// functions find, those of the running system unless a test withholds some.
class Form1Window final {
public:
    explicit Form1Window(const form::FormDescription& description,
                         const DpiFunctions& dpiFunctions = DpiFunctions::OfSystem());
    ~Form1Window();
    Form1Window(const Form1Window&) = delete;
    Form1Window& operator=(const Form1Window&) = delete;

    // Runs the load procedure; a failure propagates so that no half-filled table is shown.
    void Load();
    void Show(int showCommand);
    // Until the window is closed; the exit status.
    static int RunMessageLoop(HWND window);
    // One message of the thread, handled as the message loop handles it.
    static void Dispatch(HWND window, MSG& message);

    HWND Handle() const { return Window; }

private:
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    static HWND CreateMainWindow(const form::FormDescription& description, const Dpi& dpi);
    using LabelControls = std::vector<std::pair<const form::LabelDescription*, HWND>>;
    static std::array<std::unique_ptr<ListBox>, logic::ListCount>
    CreateControls(const form::FormDescription& description, HWND window, LabelControls& labels);
    static logic::Form1::Lists
    AsControls(const std::array<std::unique_ptr<ListBox>, logic::ListCount>& lists);
    void LayOut(int dotsPerInch);
    void ApplyFonts(int dotsPerInch);
    HWND FirstInTabOrder() const;
    ListBox* ListWithControlId(int controlId) const;

    const form::FormDescription& Description;
    // Before the window: its creation asks it.
    const Dpi ScreenDpi;
    HWND Window = nullptr;
    LabelControls Labels;
    std::array<std::unique_ptr<ListBox>, logic::ListCount> Lists;
    logic::Form1 Form;
    HFONT ListFont = nullptr;
    std::vector<HFONT> LabelFonts;
    HWND FocusWhenDeactivated = nullptr;
    EventDelivery Events;
};

} // namespace framework::win32

#include "Form1Window.h"

#include "Program.h"
#include "Text.h"
#include "form/Headers.h"
#include "form/Twips.h"
#include "framework/CaptionFit.h"

#include <algorithm>
#include <cmath>

namespace framework::win32 {
namespace {

constexpr wchar_t WindowClassName[] = L"Form1";
constexpr DWORD WindowStyle = WS_OVERLAPPEDWINDOW;
constexpr DWORD WindowExStyle = WS_EX_CONTROLPARENT;
constexpr DWORD LabelStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | SS_CENTER | SS_NOPREFIX;
constexpr int FirstListId = 100;
constexpr int FirstLabelId = 200;
constexpr int IconResource = 1;
// Posted after an event procedure failed: its message box must not open inside the procedure.
constexpr UINT ShowErrorsMessage = WM_APP + 1;

void RegisterWindowClass(WNDPROC procedure)
{
    static const bool registered = [procedure] {
        const HINSTANCE instance = GetModuleHandleW(nullptr);
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = instance;
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = WindowClassName;
        windowClass.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IconResource),
                                                          IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                                          GetSystemMetrics(SM_CYICON), 0));
        windowClass.hIconSm = static_cast<HICON>(
            LoadImageW(instance, MAKEINTRESOURCEW(IconResource), IMAGE_ICON,
                       GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
        return RegisterClassExW(&windowClass) != 0;
    }();
    if (!registered) {
        throw logic::RunTimeError("Cannot register the window class");
    }
}

// Whether a caption, wrapped as the label will wrap it, keeps its clearance from the border.
bool CaptionFits(HWND label, const std::wstring& caption, const LOGFONTW& description)
{
    RECT area{};
    GetClientRect(label, &area);
    HFONT font = CreateFontIndirectW(&description);
    HDC context = GetDC(label);
    const HGDIOBJ previous = SelectObject(context, font);
    RECT needed{0, 0, area.right, 0};
    DrawTextW(context, caption.c_str(), -1, &needed,
              DT_CALCRECT | DT_WORDBREAK | DT_CENTER | DT_NOPREFIX | DT_EXPANDTABS);
    SelectObject(context, previous);
    ReleaseDC(label, context);
    DeleteObject(font);
    return needed.right - needed.left <= area.right - 2 * CaptionClearance &&
           needed.bottom <= area.bottom - 2 * CaptionClearance;
}

void Place(HWND control, const form::TwipRect& bounds, int dotsPerInch)
{
    const form::PixelRect pixels = form::TwipsToPixels(bounds, dotsPerInch);
    SetWindowPos(control, nullptr, pixels.Left, pixels.Top, pixels.Width, pixels.Height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

Form1Window::Form1Window(const form::FormDescription& description, const DpiFunctions& dpiFunctions)
    : Description(description), ScreenDpi(dpiFunctions),
      Window(CreateMainWindow(description, ScreenDpi)),
      Lists(CreateControls(description, Window, Labels)), Form(AsControls(Lists)),
      Events(
          Form, [this] { PostMessageW(Window, ShowErrorsMessage, 0, 0); },
          [this](const std::string& message) { ShowErrorBox(Window, Widen(message)); })
{
    for (int number = 1; number <= logic::ListCount; ++number) {
        if (ListBox* list = Lists.at(static_cast<size_t>(number - 1)).get()) {
            list->SetEventHandler(
                [this, number](logic::ListEvent event) { Events.Deliver(number, event); });
        }
    }
    SetWindowLongPtrW(Window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    LayOut(ScreenDpi.OfWindow(Window));
}

Form1Window::~Form1Window()
{
    SetWindowLongPtrW(Window, GWLP_USERDATA, 0);
    for (auto& list : Lists) {
        if (list != nullptr) {
            list->SetEventHandler({});
        }
    }
    DestroyWindow(Window);
    Lists = {};
    for (HFONT font : LabelFonts) {
        DeleteObject(font);
    }
    if (ListFont != nullptr) {
        DeleteObject(ListFont);
    }
}

HWND Form1Window::CreateMainWindow(const form::FormDescription& description, const Dpi& dpi)
{
    RegisterWindowClass(&Form1Window::WindowProcedure);
    // Placed where the window system puts a new window; sized once its screen's DPI is known.
    HWND window =
        CreateWindowExW(WindowExStyle, WindowClassName, Widen(description.Window.Caption).c_str(),
                        WindowStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                        nullptr, nullptr, GetModuleHandleW(nullptr), const_cast<Dpi*>(&dpi));
    if (window == nullptr) {
        throw logic::RunTimeError("Cannot create the window");
    }
    return window;
}

// The z-order is the tab order, and a screen reader names a list box after the label just
// before it: so each list comes right after its scale cell, in the order of the tab positions,
// and the method cells come last.
std::array<std::unique_ptr<ListBox>, logic::ListCount>
Form1Window::CreateControls(const form::FormDescription& description, HWND window,
                            LabelControls& labels)
{
    const auto createLabel = [window, &labels](const form::LabelDescription& label) {
        HWND control = CreateWindowExW(
            0, L"STATIC", Widen(label.Caption).c_str(), LabelStyle, 0, 0, 0, 0, window,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(FirstLabelId + label.Index)),
            GetModuleHandleW(nullptr), nullptr);
        if (control == nullptr) {
            throw logic::RunTimeError("Cannot create Label1(" + std::to_string(label.Index) + ")");
        }
        labels.emplace_back(&label, control);
    };

    std::array<std::unique_ptr<ListBox>, logic::ListCount> lists;
    std::vector<const form::LabelDescription*> placed;
    for (const form::ListDescription* entry : form::ListsInTabOrder(description)) {
        const form::ListHeaders headers = form::HeadersOf(description, *entry);
        if (headers.Scale != nullptr) {
            createLabel(*headers.Scale);
            placed.push_back(headers.Scale);
        }
        auto list = std::make_unique<ListBox>(
            window, FirstListId + entry->Number, std::string(entry->Name),
            headers.Scale != nullptr ? Widen(headers.Scale->Caption) : std::wstring());
        list->AddItems(entry->Rows);
        lists.at(static_cast<size_t>(entry->Number - 1)) = std::move(list);
    }
    for (const form::LabelDescription& label : description.Labels) {
        if (std::ranges::find(placed, &label) == placed.end()) {
            createLabel(label);
        }
    }
    return lists;
}

logic::Form1::Lists
Form1Window::AsControls(const std::array<std::unique_ptr<ListBox>, logic::ListCount>& lists)
{
    logic::Form1::Lists controls{};
    std::ranges::transform(lists, controls.begin(), [](const auto& list) { return list.get(); });
    return controls;
}

// --- Layout -------------------------------------------------------------------------------

void Form1Window::LayOut(int dotsPerInch)
{
    for (const form::ListDescription& entry : Description.Lists) {
        Place(Lists.at(static_cast<size_t>(entry.Number - 1))->Handle(), entry.Bounds, dotsPerInch);
    }
    for (const auto& [label, control] : Labels) {
        Place(control, label->Bounds, dotsPerInch);
    }
    ApplyFonts(dotsPerInch);
}

// The lists keep the system's message font; each caption is made smaller on its own, only as
// far as it needs to fit its cell.
void Form1Window::ApplyFonts(int dotsPerInch)
{
    const LOGFONTW message = ScreenDpi.MessageFont(dotsPerInch);
    HFONT listFont = CreateFontIndirectW(&message);
    for (auto& list : Lists) {
        if (list != nullptr) {
            list->SetFont(listFont);
        }
    }
    std::vector<HFONT> labelFonts;
    // A negative height is the letters' own in pixels; a positive one, a cell's, is kept.
    const CaptionSizes sizes(-message.lfHeight, GdiCaptionStepPixels,
                             std::round(SmallestCaptionPoints * dotsPerInch / PointsPerInch));
    for (const auto& [label, control] : Labels) {
        LOGFONTW font = message;
        if (font.lfHeight < 0) {
            const std::wstring caption = Widen(label->Caption);
            const int k = sizes.FittingStep([&, control = control](double height) {
                font.lfHeight = -static_cast<LONG>(height);
                return CaptionFits(control, caption, font);
            });
            font.lfHeight = -static_cast<LONG>(sizes.Size(k));
        }
        HFONT fitting = CreateFontIndirectW(&font);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(fitting), TRUE);
        labelFonts.push_back(fitting);
    }
    for (HFONT font : LabelFonts) {
        DeleteObject(font);
    }
    if (ListFont != nullptr) {
        DeleteObject(ListFont);
    }
    ListFont = listFont;
    LabelFonts = std::move(labelFonts);
}

// --- Start and messages -------------------------------------------------------------------

void Form1Window::Load()
{
    Form.Form_Load();
}

void Form1Window::Show(int showCommand)
{
    const int dotsPerInch = ScreenDpi.OfWindow(Window);
    const SIZE frame =
        ScreenDpi.FrameSize({form::TwipsToPixels(Description.Window.ClientWidth, dotsPerInch),
                             form::TwipsToPixels(Description.Window.ClientHeight, dotsPerInch)},
                            WindowStyle, WindowExStyle, dotsPerInch);
    SetWindowPos(Window, nullptr, 0, 0, frame.cx, frame.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(Window, showCommand);
    UpdateWindow(Window);
    SetFocus(FirstInTabOrder());
}

int Form1Window::RunMessageLoop(HWND window)
{
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        Dispatch(window, message);
    }
    return static_cast<int>(message.wParam);
}

void Form1Window::Dispatch(HWND window, MSG& message)
{
    // Tab and Shift+Tab between the lists, as in a dialog.
    if (!IsDialogMessageW(window, &message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

HWND Form1Window::FirstInTabOrder() const
{
    const auto lists = form::ListsInTabOrder(Description);
    return lists.empty() ? Window
                         : Lists.at(static_cast<size_t>(lists.front()->Number - 1))->Handle();
}

ListBox* Form1Window::ListWithControlId(int controlId) const
{
    const int index = controlId - FirstListId - 1;
    if (index < 0 || index >= logic::ListCount) {
        return nullptr;
    }
    return Lists.at(static_cast<size_t>(index)).get();
}

LRESULT CALLBACK Form1Window::WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        static_cast<const Dpi*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams)
            ->OnNonClientCreate(window);
    }
    auto* form = reinterpret_cast<Form1Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (form == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return form->OnMessage(message, wParam, lParam);
}

LRESULT Form1Window::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (ListBox* list = ListWithControlId(LOWORD(wParam))) {
            if (HIWORD(wParam) == LBN_SETFOCUS || HIWORD(wParam) == LBN_KILLFOCUS) {
                list->RaiseFocusEvent(HIWORD(wParam) == LBN_SETFOCUS);
            }
        }
        return 0;
    case WM_ACTIVATE:
        // The list that had the focus gets it back when the window is active again.
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus != nullptr && IsChild(Window, focus)) {
                FocusWhenDeactivated = focus;
            }
        } else if (HIWORD(wParam) == 0) {
            SetFocus(FocusWhenDeactivated != nullptr ? FocusWhenDeactivated : FirstInTabOrder());
        }
        return 0;
    case WM_DPICHANGED: {
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(Window, nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        LayOut(HIWORD(wParam));
        return 0;
    }
    case ShowErrorsMessage:
        Events.ShowPendingErrors();
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(Window, message, wParam, lParam);
    }
}

} // namespace framework::win32

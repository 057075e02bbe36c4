#include "app/win32/TMForm.h"

#include "app/FormLayout.h"
#include "app/win32/Glyphs.h"
#include "app/win32/MessageBoxes.h"
#include "app/win32/ScreenText.h"
#include "app/win32/WindowClass.h"

#include <windowsx.h>

#include <iterator>
#include <tuple>

namespace tts::app::win32 {

namespace {

constexpr const char* kFormClass = "TTSMForm";
constexpr const char* kPanelClass = "TTSGradientPanel";
constexpr int kDriveFieldHeight = 13;
constexpr int kDriveRowHeight = 15;
constexpr int kDropDownHeight = 200; // the drive list, open

// Each control's id, in FormControl's order.
constexpr int kFirstControlId = 101;

int idOf(FormControl control) {
    return kFirstControlId + static_cast<int>(control);
}

FormControl controlOfId(UINT id) {
    const int index = static_cast<int>(id) - kFirstControlId;
    return index >= 0 && index < static_cast<int>(FormControl::Other)
               ? static_cast<FormControl>(index)
               : FormControl::Other;
}

COLORREF colorRef(Rgb colour) {
    return RGB(colour.red, colour.green, colour.blue);
}

// The face the layout names first: Windows has it.
HFONT font(const layout::Font& look) {
    return ::CreateFontA(-look.pixels, 0, 0, 0, look.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE,
                         FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                         DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, look.faces.front());
}

bool isUserInput(UINT message) {
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
           (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK);
}

// Drops the clicks and keys that waited in the queue.
void dropQueuedInput() {
    MSG message;
    while (::PeekMessageA(&message, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE))
        ;
    while (::PeekMessageA(&message, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE))
        ;
    while (::PeekMessageA(&message, nullptr, WM_NCMOUSEMOVE, WM_NCXBUTTONDBLCLK, PM_REMOVE))
        ;
}

int textWidth(HFONT font, const std::string& text) {
    HDC dc = ::GetDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, font);
    SIZE size{0, 0};
    const std::wstring shown = screenText(text);
    ::GetTextExtentPoint32W(dc, shown.c_str(), static_cast<int>(shown.size()), &size);
    ::SelectObject(dc, old);
    ::ReleaseDC(nullptr, dc);
    return size.cx;
}

} // namespace

TMForm::TMForm(HINSTANCE instance, std::vector<std::string> arguments)
    : instance_(instance), application_(instance),
      logic_(*this, std::move(arguments), machineDrives()) {
    arialBold16_ = font(layout::kArialBold16);
    sansSerif_ = font(layout::kSansSerif);
    sansSerifBold_ = font(layout::kSansSerifBold);
    chooserBrush_ = ::CreateSolidBrush(colorRef(colours::chooserBackground));
    registerClasses();
    buildControls();
    logic_.create();
}

TMForm::~TMForm() {
    if (window_ && ::IsWindow(window_))
        ::DestroyWindow(window_);
    for (Panel* panel : {&warmLeft_, &warmRight_, &cool_})
        if (panel->buffer)
            ::DeleteObject(panel->buffer);
    for (HGDIOBJ object :
         {static_cast<HGDIOBJ>(arialBold16_), static_cast<HGDIOBJ>(sansSerif_),
          static_cast<HGDIOBJ>(sansSerifBold_), static_cast<HGDIOBJ>(chooserBrush_)})
        ::DeleteObject(object);
}

void TMForm::registerClasses() {
    registerWindowClass(instance_, kFormClass, windowProc, true,
                        reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    registerWindowClass(instance_, kPanelClass, panelProc, false);
}

HFONT TMForm::fontOf(const layout::Font& look) const {
    if (&look == &layout::kArialBold16)
        return arialBold16_;
    return &look == &layout::kSansSerifBold ? sansSerifBold_ : sansSerif_;
}

TMForm::Panel& TMForm::panelOf(layout::Panel panel) {
    switch (panel) {
    case layout::Panel::SiceToHorvane:
        return warmLeft_;
    case layout::Panel::HorvaneToSice:
        return warmRight_;
    case layout::Panel::Folders:
        break;
    }
    return cool_;
}

void TMForm::buildControls() {
    // A fixed dialog frame with a close box and nothing else.
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    RECT frame{0, 0, layout::kClientWidth, layout::kClientHeight};
    ::AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    window_ = ::CreateWindowExA(exStyle, kFormClass, layout::kCaption, style, CW_USEDEFAULT,
                                CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top,
                                application_.handle(), nullptr, instance_, this);
    application_.setForm(window_);
    ::SetWindowContextHelpId(window_, layout::kHelpContext);

    const COLORREF windowText = ::GetSysColor(COLOR_WINDOWTEXT);
    for (layout::Panel which :
         {layout::Panel::SiceToHorvane, layout::Panel::HorvaneToSice, layout::Panel::Folders}) {
        const layout::PanelLook& look = layout::look(which);
        panelOf(which) = {this, look.top, look.middle, look.bottom, {}, nullptr, {}};
    }
    size_t folderCaption = 0;
    for (const layout::LabelLook& look : layout::kLabels) {
        if (&look == &layout::kLabels[layout::kFolderCaptionLabel])
            folderCaption = panelOf(look.panel).labels.size();
        const layout::Box box = look.box;
        const COLORREF colour = look.colour == layout::TextColour::Red    ? colorRef(colours::red)
                                : look.colour == layout::TextColour::Blue ? colorRef(colours::blue)
                                                                          : windowText;
        panelOf(look.panel)
            .labels.push_back({look.text,
                               {box.left, box.top, box.width ? box.left + box.width : 0,
                                box.height ? box.top + box.height : 0},
                               fontOf(look.font),
                               colour,
                               look.wordWrap,
                               look.opaque});
    }
    folderCaption_ = &panelOf(layout::kLabels[layout::kFolderCaptionLabel].panel)
                          .labels[folderCaption]; // no label is added after this

    // Created in the keyboard's order, each panel before its controls.
    HWND panels[std::size(layout::kPanels)];
    for (size_t index = 0; index < std::size(layout::kPanels); ++index) {
        const layout::PanelLook& look = layout::kPanels[index];
        panels[index] =
            createPanel(panelOf(static_cast<layout::Panel>(index)), look.box, look.helpContext);
        for (FormControl control : layout::kKeyboardOrder) {
            const layout::ButtonLook* button = layout::buttonLook(control);
            const layout::Panel home = button ? button->panel : layout::Panel::Folders;
            if (static_cast<size_t>(home) == index)
                createControl(control, panels[index]);
        }
    }
    Draw3D2 = panels[static_cast<int>(layout::Panel::SiceToHorvane)];
    Draw3D3 = panels[static_cast<int>(layout::Panel::HorvaneToSice)];
    Draw3D1 = panels[static_cast<int>(layout::Panel::Folders)];
    controls_ = {BExportar, BImportar, BClose, Button1, Directorios, Unidades};
    for (FormControl control : layout::kKeyboardOrder) {
        ::SendMessageA(controls_.of(control), WM_SETFONT,
                       reinterpret_cast<WPARAM>(fontOf(layout::kControlFont)), FALSE);
        ::SetWindowContextHelpId(controls_.of(control), layout::kHelpContext);
    }
    // The selection field, set after the font that would size it anew: 13 high, 19 with the
    // selector's frame, as laid out.
    ::SendMessageA(Unidades, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), kDriveFieldHeight);
    // Owner-drawn from the form's drives: each entry holds its index.
    for (size_t drive = 0; drive < logic_.folders().drives().size(); ++drive)
        ::SendMessageA(Unidades, CB_ADDSTRING, 0, static_cast<LPARAM>(drive));
}

HWND TMForm::createPanel(Panel& panel, layout::Box box, int helpContext) {
    HWND window = ::CreateWindowExA(WS_EX_CONTROLPARENT, kPanelClass, "",
                                    WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, box.left, box.top,
                                    box.width, box.height, window_, nullptr, instance_, &panel);
    ::SetWindowContextHelpId(window, static_cast<DWORD>(helpContext));
    return window;
}

void TMForm::createControl(FormControl control, HWND panel) {
    HMENU id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(idOf(control)));
    if (const layout::ButtonLook* look = layout::buttonLook(control)) {
        const layout::Box box = look->box;
        HWND button = ::CreateWindowExA(
            0, "BUTTON", look->caption, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, box.left,
            box.top, box.width, box.height, panel, id, instance_, nullptr);
        switch (control) {
        case FormControl::BExportar:
            BExportar = button;
            break;
        case FormControl::BImportar:
            BImportar = button;
            break;
        case FormControl::BClose:
            BClose = button;
            break;
        default:
            Button1 = button;
            break;
        }
    } else if (control == FormControl::Directorios) {
        const layout::Box box = layout::kFolderList;
        Directorios = ::CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "",
                                        WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL |
                                            LBS_OWNERDRAWFIXED | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                                        box.left, box.top, box.width, box.height, panel, id,
                                        instance_, nullptr);
    } else {
        // A combo box's height is that of its open list.
        const layout::Box box = layout::kDriveSelector;
        Unidades = ::CreateWindowExA(
            0, "COMBOBOX", "",
            WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED,
            box.left, box.top, box.width, kDropDownHeight, panel, id, instance_, nullptr);
    }
}

int TMForm::run() {
    // Embedded, the host's window stands on the task bar; on its own, the application's.
    if (!(::GetWindowLongPtrA(window_, GWL_STYLE) & WS_CHILD))
        application_.show();
    ::ShowWindow(window_, SW_SHOW);
    ::UpdateWindow(window_);
    if (HWND first = controls_.of(logic_.initialFocus()))
        ::SetFocus(first);
    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (preTranslate(message))
            continue;
        if (!::IsDialogMessageA(window_, &message)) {
            ::TranslateMessage(&message);
            ::DispatchMessageA(&message);
        }
    }
    return 0;
}

bool TMForm::isOurs(HWND window) const {
    return window && (window == window_ || ::IsChild(window_, window));
}

bool TMForm::preTranslate(const MSG& message) {
    if (!isOurs(message.hwnd))
        return false;
    if (message.message == WM_KEYDOWN) {
        switch (message.wParam) {
        case VK_RETURN: {
            const bool dropped = ::SendMessageA(Unidades, CB_GETDROPPEDSTATE, 0, 0) != 0;
            const KeyAction action = logic_.enterKey(focusedControl(), dropped);
            if (action == KeyAction::PassOn)
                return false;
            perform(action);
            return true;
        }
        case VK_TAB:
            if (::GetKeyState(VK_CONTROL) < 0 || ::GetKeyState(VK_MENU) < 0 ||
                ::SendMessageA(Unidades, CB_GETDROPPEDSTATE, 0, 0))
                return false;
            // The form's own order, which steps over what cannot take the focus.
            focusControl(logic_.tabKey(focusedControl(), ::GetKeyState(VK_SHIFT) < 0));
            return true;
        case VK_ESCAPE:
            if (::SendMessageA(Unidades, CB_GETDROPPEDSTATE, 0, 0))
                return false; // closes the drive list
            perform(FormLogic::escapeKey());
            return true;
        case VK_F1:
            helpKey();
            return true;
        default:
            return false;
        }
    }
    if (message.message == WM_SYSCHAR) {
        const KeyAction action = FormLogic::altKey(static_cast<char>(message.wParam));
        if (action == KeyAction::PassOn)
            return false;
        perform(action);
        return true;
    }
    return false;
}

void TMForm::perform(KeyAction action) {
    logic_.perform(action, static_cast<int>(::SendMessageA(Directorios, LB_GETCURSEL, 0, 0)));
}

FormControl TMForm::controlOf(HWND control) const {
    // The drive selector's own list and edit part belong to it.
    for (HWND w = control; w && w != window_; w = ::GetParent(w))
        if (const FormControl found = controls_.find(w); found != FormControl::Other)
            return found;
    return FormControl::Other;
}

void TMForm::helpKey() {
    // The nearest help context from the focused control outwards.
    for (HWND w = ::GetFocus(); w && isOurs(w); w = ::GetParent(w)) {
        const DWORD context = ::GetWindowContextHelpId(w);
        if (context > 0) {
            logic_.helpKey(static_cast<int>(context));
            return;
        }
    }
    logic_.helpKey(0);
}

// ---- FormView ----

void TMForm::showJobPanels(bool siceToHorvane, bool horvaneToSice) {
    for (auto [panel, window, shown] :
         {std::tuple{layout::Panel::SiceToHorvane, Draw3D2, siceToHorvane},
          std::tuple{layout::Panel::HorvaneToSice, Draw3D3, horvaneToSice}}) {
        ::ShowWindow(window, shown ? SW_SHOW : SW_HIDE);
        if (!shown)
            continue;
        const layout::Box box = layout::jobPanelBox(panel, siceToHorvane, horvaneToSice);
        ::MoveWindow(window, box.left, box.top, box.width, box.height, TRUE);
    }
}

void TMForm::disableJobButtons() {
    ::EnableWindow(BExportar, FALSE);
    ::EnableWindow(BImportar, FALSE);
}

FormControl TMForm::focusedControl() const {
    return controlOf(::GetFocus());
}

void TMForm::focusControl(FormControl control) {
    if (HWND w = controls_.of(control))
        ::SetFocus(w);
}

void TMForm::restoreFocus() {
    const FormControl remembered = controlOf(lastFocus_);
    focusControl(remembered == FormControl::Other ? logic_.initialFocus()
                                                  : logic_.focusAfter(remembered));
}

void TMForm::embedInHost(uint32_t handle) {
    HWND host = reinterpret_cast<HWND>(static_cast<UINT_PTR>(handle));
    LONG_PTR style = ::GetWindowLongPtrA(window_, GWL_STYLE);
    style &= ~static_cast<LONG_PTR>(WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_POPUP | WS_BORDER |
                                    WS_DLGFRAME);
    LONG_PTR exStyle = ::GetWindowLongPtrA(window_, GWL_EXSTYLE);
    exStyle &= ~static_cast<LONG_PTR>(WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_APPWINDOW);
    // The handle is not checked, as the host is trusted to give its own; with no window behind
    // it the form stays on its own, borderless at (2, 2) of the screen.
    style |= ::IsWindow(host) ? WS_CHILD : WS_POPUP;
    ::SetWindowLongPtrA(window_, GWL_STYLE, style);
    ::SetWindowLongPtrA(window_, GWL_EXSTYLE, exStyle);
    if (::IsWindow(host))
        ::SetParent(window_, host);
    ::SetWindowPos(window_, nullptr, 2, 2, layout::kClientWidth, layout::kClientHeight,
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TMForm::showFolders() {
    const FolderChooser& folders = logic_.folders();
    ::SendMessageA(Directorios, WM_SETREDRAW, FALSE, 0);
    ::SendMessageA(Directorios, LB_RESETCONTENT, 0, 0);
    for (size_t row = 0; row < folders.rows().size(); ++row)
        ::SendMessageA(Directorios, LB_ADDSTRING, 0, static_cast<LPARAM>(row));
    ::SendMessageA(Directorios, LB_SETCURSEL, static_cast<WPARAM>(folders.currentRow()), 0);
    ::SendMessageA(Directorios, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(Directorios, nullptr, TRUE);

    folderCaption_->text = logic_.folderCaption(
        [this](const std::string& text) { return textWidth(folderCaption_->font, text); });
    ::InvalidateRect(Draw3D1, nullptr, FALSE);
    ::SendMessageA(Unidades, CB_SETCURSEL, static_cast<WPARAM>(folders.currentDrive()), 0);
}

void TMForm::closeWindow() {
    // Closed from the message loop, not from inside the handler of a button that goes with it.
    ::PostMessageA(window_, WM_CLOSE, 0, 0);
}

void TMForm::setBusyPointer(bool busy) {
    busy_ = busy;
    if (!busy)
        dropQueuedInput();
    ::SetCursor(::LoadCursor(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

void TMForm::keepAlive() {
    // Paint what was uncovered; clicks and keys meanwhile are dropped.
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        if (isUserInput(message.message))
            continue;
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
}

void TMForm::notice(const std::string& text) {
    showNotice(window_, text);
}

void TMForm::information(const std::string& text) {
    showInformation(window_, text);
}

void TMForm::error(const std::string& text) {
    showErrorBox(window_, text);
}

// ---- Messages ----

LRESULT CALLBACK TMForm::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* form = static_cast<TMForm*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
        form->window_ = window;
    }
    auto* form = reinterpret_cast<TMForm*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!form)
        return ::DefWindowProcA(window, message, wParam, lParam);
    // No error may cross the window system: it goes to the top-level error handler here.
    try {
        return form->handle(window, message, wParam, lParam);
    } catch (const std::exception& error) {
        form->logic_.showError(error);
        return 0;
    }
}

LRESULT TMForm::handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (controlMessage(message, wParam, lParam, result))
        return result;
    switch (message) {
    case WM_CLOSE:
        if (logic_.closeRequested()) {
            closing_ = true;
            ::DestroyWindow(window);
        }
        return 0;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            if (HWND focus = ::GetFocus(); focus && ::IsChild(window_, focus))
                lastFocus_ = focus;
        } else if (!HIWORD(wParam)) {
            // Not the window itself, as the system would: it takes no keys.
            restoreFocus();
            return 0;
        }
        break;
    case WM_SETFOCUS:
        restoreFocus();
        return 0;
    case WM_SETCURSOR:
        if (busy_) {
            ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
            return TRUE;
        }
        break;
    case WM_HELP:
        return TRUE; // F1 is taken before it gets here
    default:
        break;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

bool TMForm::controlMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_COMMAND: {
        const FormControl control = controlOfId(LOWORD(wParam));
        const int code = HIWORD(wParam);
        if (code == BN_CLICKED && layout::buttonLook(control))
            logic_.click(control);
        else if (code == LBN_DBLCLK && control == FormControl::Directorios)
            logic_.openRow(static_cast<int>(::SendMessageA(Directorios, LB_GETCURSEL, 0, 0)));
        else if (code == CBN_SELENDOK && control == FormControl::Unidades)
            logic_.pickDrive(static_cast<int>(::SendMessageA(Unidades, CB_GETCURSEL, 0, 0)));
        else
            return false;
        result = 0;
        return true;
    }
    case WM_MEASUREITEM: {
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        item->itemHeight = controlOfId(item->CtlID) == FormControl::Directorios
                               ? layout::kFolderRowHeight
                           : item->itemID == static_cast<UINT>(-1) ? kDriveFieldHeight
                                                                   : kDriveRowHeight;
        result = TRUE;
        return true;
    }
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item.CtlType == ODT_BUTTON)
            drawButton(item);
        else if (controlOfId(item.CtlID) == FormControl::Directorios)
            drawFolderRow(item);
        else if (controlOfId(item.CtlID) == FormControl::Unidades)
            drawDrive(item);
        result = TRUE;
        return true;
    }
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLOREDIT: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        ::SetBkColor(dc, colorRef(colours::chooserBackground));
        result = reinterpret_cast<LRESULT>(chooserBrush_);
        return true;
    }
    case WM_CTLCOLORBTN:
        result = reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH));
        return true;
    default:
        return false;
    }
}

LRESULT CALLBACK TMForm::panelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
        ::SetWindowLongPtrA(
            window, GWLP_USERDATA,
            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
    auto* panel = reinterpret_cast<Panel*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!panel || !panel->form)
        return ::DefWindowProcA(window, message, wParam, lParam);
    TMForm& form = *panel->form;
    try {
        LRESULT result = 0;
        if (form.controlMessage(message, wParam, lParam, result))
            return result;
        switch (message) {
        case WM_ERASEBKGND:
            return TRUE; // every pixel is painted from the buffer
        case WM_PAINT:
            form.paintPanel(window, *panel);
            return 0;
        case WM_SETCURSOR:
            if (form.busy_) {
                ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
                return TRUE;
            }
            break;
        default:
            break;
        }
    } catch (const std::exception& error) {
        form.logic_.showError(error);
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

void TMForm::paintPanel(HWND window, Panel& panel) {
    PAINTSTRUCT paint;
    HDC target = ::BeginPaint(window, &paint);
    RECT client;
    ::GetClientRect(window, &client);
    const int width = client.right, height = client.bottom;

    // Painted off screen, then put on screen in one go: no flicker.
    HDC dc = ::CreateCompatibleDC(target);
    if (!panel.buffer || panel.bufferSize.cx != width || panel.bufferSize.cy != height) {
        if (panel.buffer)
            ::DeleteObject(panel.buffer);
        panel.buffer = ::CreateCompatibleBitmap(target, width, height);
        panel.bufferSize = {width, height};
    }
    HGDIOBJ oldBitmap = ::SelectObject(dc, panel.buffer);
    for (const GradientBand& band : gradientBands(height, panel.top, panel.middle, panel.bottom)) {
        const RECT rows{0, band.top, width, band.top + band.rows};
        HBRUSH brush = ::CreateSolidBrush(colorRef(band.colour));
        ::FillRect(dc, &rows, brush);
        ::DeleteObject(brush);
    }
    // A thin raised edge, so that the two job panels stay apart.
    RECT edge{0, 0, width, height};
    ::DrawEdge(dc, &edge, BDR_RAISEDINNER, BF_RECT);

    for (const Label& label : panel.labels) {
        HGDIOBJ oldFont = ::SelectObject(dc, label.font);
        ::SetTextColor(dc, label.colour);
        RECT area = label.area;
        if (label.opaque) {
            ::SetBkMode(dc, OPAQUE);
            ::SetBkColor(dc, colorRef(panel.top));
        } else {
            ::SetBkMode(dc, TRANSPARENT);
        }
        const std::wstring shown = screenText(label.text);
        if (label.wordWrap) {
            ::DrawTextW(dc, shown.c_str(), -1, &area,
                        DT_LEFT | DT_TOP | DT_WORDBREAK | DT_NOPREFIX);
        } else {
            ::TextOutW(dc, area.left, area.top, shown.c_str(), static_cast<int>(shown.size()));
        }
        ::SelectObject(dc, oldFont);
    }
    ::BitBlt(target, 0, 0, width, height, dc, 0, 0, SRCCOPY);
    ::SelectObject(dc, oldBitmap);
    ::DeleteDC(dc);
    ::EndPaint(window, &paint);
}

void TMForm::drawButton(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    RECT area = item.rcItem;
    const bool pushed = item.itemState & ODS_SELECTED;
    const bool grey = item.itemState & ODS_DISABLED;
    ::DrawFrameControl(dc, &area, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
    const int shift = pushed ? 1 : 0;

    char caption[64] = {};
    ::GetWindowTextA(item.hwndItem, caption, sizeof caption);
    HGDIOBJ oldFont = ::SelectObject(dc, fontOf(layout::kControlFont));
    RECT measure{0, 0, 0, 0};
    ::DrawTextA(dc, caption, -1, &measure, DT_CALCRECT | DT_SINGLELINE);
    const layout::ButtonLook* look = layout::buttonLook(controlOfId(item.CtlID));
    const layout::Glyph glyph = look ? look->glyph : layout::Glyph::None;
    const int glyphWidth =
        glyph == layout::Glyph::None ? 0 : layout::kGlyphSize + layout::kGlyphGap;
    const int contentWidth = glyphWidth + measure.right;
    const int left = area.left + (area.right - area.left - contentWidth) / 2 + shift;
    const int middle = (area.top + area.bottom) / 2 + shift;
    drawGlyph(dc, left, middle - layout::kGlyphSize / 2, glyph, grey);
    RECT text{left + glyphWidth, area.top + shift, area.right, area.bottom + shift};
    ::SetBkMode(dc, TRANSPARENT);
    if (grey) {
        // The embossed grey of a disabled caption.
        RECT light = text;
        ::OffsetRect(&light, 1, 1);
        ::SetTextColor(dc, ::GetSysColor(COLOR_BTNHIGHLIGHT));
        ::DrawTextA(dc, caption, -1, &light, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
        ::SetTextColor(dc, ::GetSysColor(COLOR_GRAYTEXT));
    } else {
        ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
    }
    ::DrawTextA(dc, caption, -1, &text, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    ::SelectObject(dc, oldFont);
    if (item.itemState & ODS_FOCUS) {
        RECT focus = area;
        ::InflateRect(&focus, -4, -4);
        ::DrawFocusRect(dc, &focus);
    }
}

void TMForm::drawFolderRow(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    ::FillRect(dc, &item.rcItem, chooserBrush_);
    const auto& rows = logic_.folders().rows();
    if (item.itemID == static_cast<UINT>(-1) || item.itemID >= rows.size())
        return;
    const FolderRow& row = rows[item.itemID];
    const int indent = item.rcItem.left + 2 + row.level * layout::kFolderIndentStep;
    drawFolderIcon(dc, indent, item.rcItem.top + 1, row.icon);
    HGDIOBJ oldFont = ::SelectObject(dc, sansSerif_);
    SIZE size{0, 0};
    const std::wstring name = screenText(row.name);
    ::GetTextExtentPoint32W(dc, name.c_str(), static_cast<int>(name.size()), &size);
    // The selection covers the name only.
    RECT text{indent + 19, item.rcItem.top, indent + 19 + size.cx + 4, item.rcItem.bottom};
    const bool selected = item.itemState & ODS_SELECTED;
    if (selected)
        ::FillRect(dc, &text, ::GetSysColorBrush(COLOR_HIGHLIGHT));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    ::TextOutW(dc, text.left + 2, text.top + (16 - size.cy) / 2, name.c_str(),
               static_cast<int>(name.size()));
    if (item.itemState & ODS_FOCUS)
        ::DrawFocusRect(dc, &text);
    ::SelectObject(dc, oldFont);
}

void TMForm::drawDrive(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    const bool selected = (item.itemState & ODS_SELECTED) &&
                          !(item.itemState & ODS_COMBOBOXEDIT && ::GetFocus() != Unidades);
    ::FillRect(dc, &item.rcItem, selected ? ::GetSysColorBrush(COLOR_HIGHLIGHT) : chooserBrush_);
    const auto& drives = logic_.folders().drives();
    if (item.itemID == static_cast<UINT>(-1) || item.itemID >= drives.size())
        return;
    const Drive& drive = drives[item.itemID];
    drawDriveIcon(dc, item.rcItem.left + 2, item.rcItem.top, drive.kind);
    HGDIOBJ oldFont = ::SelectObject(dc, sansSerif_);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    const std::wstring text = screenText(drive.text());
    RECT area = item.rcItem;
    area.left += 22;
    ::DrawTextW(dc, text.c_str(), -1, &area, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    ::SelectObject(dc, oldFont);
}

} // namespace tts::app::win32

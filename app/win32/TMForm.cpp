#include "app/win32/TMForm.h"

#include "app/win32/Glyphs.h"
#include "app/win32/MessageBoxes.h"
#include "app/win32/ScreenText.h"

#include <windowsx.h>

namespace tts::app::win32 {

namespace {

constexpr const char* kFormClass = "TTSMForm";
constexpr const char* kPanelClass = "TTSGradientPanel";
constexpr const char* kCaption = "Exportar e importar datos entre Horvane y SICE";
constexpr int kClientWidth = 599, kClientHeight = 270, kUpperHeight = 101;
constexpr int kHelpContext = 3;
constexpr int kIndentStep = 4;
constexpr int kDriveFieldHeight = 13;
constexpr size_t kLabel2 = 1; // in the cool panel's labels

enum ControlId { IdBExportar = 101, IdBImportar, IdBClose, IdButton1, IdDirectorios, IdUnidades };

COLORREF colorRef(Rgb colour) {
    return RGB(colour.red, colour.green, colour.blue);
}

HFONT font(const char* face, int pixels, bool bold) {
    return ::CreateFontA(-pixels, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                         ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                         DEFAULT_PITCH | FF_SWISS, face);
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
    arialBold16_ = font("Arial", 16, true);
    sansSerif_ = font("MS Sans Serif", 11, false);
    sansSerifBold_ = font("MS Sans Serif", 11, true);
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
    WNDCLASSEXA form{};
    form.cbSize = sizeof form;
    form.lpfnWndProc = windowProc;
    form.hInstance = instance_;
    form.hIcon = applicationIcon(instance_, SM_CXICON);
    form.hIconSm = applicationIcon(instance_, SM_CXSMICON);
    form.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    form.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    form.lpszClassName = kFormClass;
    ::RegisterClassExA(&form);

    WNDCLASSEXA panel{};
    panel.cbSize = sizeof panel;
    panel.lpfnWndProc = panelProc;
    panel.hInstance = instance_;
    panel.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    panel.lpszClassName = kPanelClass;
    ::RegisterClassExA(&panel);
}

void TMForm::buildControls() {
    // A fixed dialog frame with a close box and nothing else, 599 x 270 inside.
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    RECT frame{0, 0, kClientWidth, kClientHeight};
    ::AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    window_ = ::CreateWindowExA(exStyle, kFormClass, kCaption, style, CW_USEDEFAULT, CW_USEDEFAULT,
                                frame.right - frame.left, frame.bottom - frame.top,
                                application_.handle(), nullptr, instance_, this);
    application_.setForm(window_);
    ::SetWindowContextHelpId(window_, kHelpContext);

    const COLORREF windowText = ::GetSysColor(COLOR_WINDOWTEXT);
    warmLeft_ = {this, colours::warmTop, colours::warmMiddle, colours::warmBottom, {}, nullptr, {}};
    warmLeft_.labels.push_back({"Transformar datos desde SICE hacia Horvane ",
                                {24, 24, 24 + 265, 24 + 57},
                                arialBold16_,
                                windowText,
                                true});
    warmRight_ = {this, colours::warmTop, colours::warmMiddle, colours::warmBottom, {}, nullptr,
                  {}};
    warmRight_.labels.push_back({"Transformar datos desde Horvane hacia SICE",
                                 {8, 24, 8 + 305, 24 + 57},
                                 arialBold16_,
                                 windowText,
                                 true});
    cool_ = {this, colours::coolTop, colours::coolMiddle, colours::coolBottom, {}, nullptr, {}};
    const COLORREF red = colorRef(colours::red), blue = colorRef(colours::blue);
    cool_.labels.push_back(
        {"TransHorvaneSICE para VT20 V-1.0", {368, 142, 0, 0}, sansSerifBold_, red});
    cool_.labels.push_back({"", {70, 20, 0, 0}, sansSerifBold_, red}); // Label2
    cool_.labels.push_back({"Carpeta en la que se encuentran los Ficheros TXT de SICE",
                            {9, 5, 0, 0},
                            sansSerif_,
                            blue,
                            false,
                            true});
    cool_.labels.push_back({"Ruta Actual:", {9, 19, 0, 0}, sansSerif_, blue, false, true});

    // Created in the keyboard's order: BExportar, BImportar, BClose, Directorios, Unidades,
    // Button1.
    Draw3D2 = createPanel(warmLeft_, 0, 0, 289, kUpperHeight, kHelpContext);
    BExportar = createButton(Draw3D2, IdBExportar, "Aceptar", 88, 72, 89, 25);
    Draw3D3 = createPanel(warmRight_, 289, 0, 310, kUpperHeight, 0);
    BImportar = createButton(Draw3D3, IdBImportar, "Aceptar", 96, 72, 89, 25);
    Draw3D1 = createPanel(cool_, 0, kUpperHeight, kClientWidth, 169, kHelpContext);
    BClose = createButton(Draw3D1, IdBClose, "&Salir", 385, 105, 89, 25);
    Directorios = ::CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "",
                                    WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL |
                                        LBS_OWNERDRAWFIXED | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                                    8, 34, 287, 106, Draw3D1,
                                    reinterpret_cast<HMENU>(IdDirectorios), instance_, nullptr);
    Unidades = ::CreateWindowExA(
        0, "COMBOBOX", "",
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED, 8,
        142, 137, 200, Draw3D1, reinterpret_cast<HMENU>(IdUnidades), instance_, nullptr);
    Button1 = createButton(Draw3D1, IdButton1, "F1 AYUDA", 220, 142, 75, 21);
    for (HWND control : {BExportar, BImportar, BClose, Directorios, Unidades, Button1}) {
        ::SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(sansSerif_), FALSE);
        ::SetWindowContextHelpId(control, kHelpContext);
    }
    // The selection field, set after the font that would size it anew: 13 high, 19 with the
    // selector's frame, as laid out.
    ::SendMessageA(Unidades, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), kDriveFieldHeight);
    // Owner-drawn from the form's drives: each entry holds its index.
    for (size_t drive = 0; drive < logic_.folders().drives().size(); ++drive)
        ::SendMessageA(Unidades, CB_ADDSTRING, 0, static_cast<LPARAM>(drive));
}

HWND TMForm::createPanel(Panel& panel, int left, int top, int width, int height, int helpContext) {
    HWND window = ::CreateWindowExA(WS_EX_CONTROLPARENT, kPanelClass, "",
                                    WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, left, top, width,
                                    height, window_, nullptr, instance_, &panel);
    ::SetWindowContextHelpId(window, static_cast<DWORD>(helpContext));
    return window;
}

HWND TMForm::createButton(HWND panel, int id, const char* caption, int left, int top, int width,
                          int height) {
    return ::CreateWindowExA(
        0, "BUTTON", caption, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, left, top, width,
        height, panel, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
}

int TMForm::run() {
    // Embedded, the host's window stands on the task bar; on its own, the application's.
    if (!(::GetWindowLongPtrA(window_, GWL_STYLE) & WS_CHILD))
        application_.show();
    ::ShowWindow(window_, SW_SHOW);
    ::UpdateWindow(window_);
    if (HWND first = windowOf(logic_.initialFocus()))
        ::SetFocus(first);
    logic_.FormShow();
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
            const KeyAction action = logic_.enterKey(controlOf(::GetFocus()), dropped);
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
            focusControl(logic_.tabKey(controlOf(::GetFocus()), ::GetKeyState(VK_SHIFT) < 0));
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
    switch (action) {
    case KeyAction::PressBExportar:
        logic_.BExportarClick();
        break;
    case KeyAction::PressBImportar:
        logic_.BImportarClick();
        break;
    case KeyAction::PressBClose:
        logic_.BCloseClick();
        break;
    case KeyAction::PressButton1:
        logic_.Button1Click();
        break;
    case KeyAction::OpenSelectedRow:
        logic_.openRow(static_cast<int>(::SendMessageA(Directorios, LB_GETCURSEL, 0, 0)));
        break;
    case KeyAction::Swallow:
    case KeyAction::PassOn:
        break;
    }
}

FormControl TMForm::controlOf(HWND control) const {
    // The drive selector's own list and edit part belong to it.
    for (HWND w = control; w && w != window_; w = ::GetParent(w))
        for (FormControl each :
             {FormControl::BExportar, FormControl::BImportar, FormControl::BClose,
              FormControl::Button1, FormControl::Directorios, FormControl::Unidades})
            if (windowOf(each) == w)
                return each;
    return FormControl::Other;
}

HWND TMForm::windowOf(FormControl control) const {
    switch (control) {
    case FormControl::BExportar:
        return BExportar;
    case FormControl::BImportar:
        return BImportar;
    case FormControl::BClose:
        return BClose;
    case FormControl::Button1:
        return Button1;
    case FormControl::Directorios:
        return Directorios;
    case FormControl::Unidades:
        return Unidades;
    default:
        return nullptr;
    }
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
    logic_.helpKey(kHelpContext);
}

// ---- FormView ----

void TMForm::showJobPanels(bool siceToHorvane, bool horvaneToSice) {
    ::ShowWindow(Draw3D2, siceToHorvane ? SW_SHOW : SW_HIDE);
    ::ShowWindow(Draw3D3, horvaneToSice ? SW_SHOW : SW_HIDE);
    if (siceToHorvane && horvaneToSice) {
        ::MoveWindow(Draw3D2, 0, 0, 289, kUpperHeight, TRUE);
        ::MoveWindow(Draw3D3, 289, 0, kClientWidth - 289, kUpperHeight, TRUE);
    } else if (siceToHorvane) {
        ::MoveWindow(Draw3D2, 0, 0, kClientWidth, kUpperHeight, TRUE);
    } else if (horvaneToSice) {
        ::MoveWindow(Draw3D3, 0, 0, kClientWidth, kUpperHeight, TRUE);
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
    if (HWND w = windowOf(control))
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
    ::SetWindowPos(window_, nullptr, 2, 2, kClientWidth, kClientHeight,
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

    cool_.labels[kLabel2].text = logic_.folderCaption(
        [this](const std::string& text) { return textWidth(sansSerifBold_, text); });
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
        const int id = LOWORD(wParam);
        const int code = HIWORD(wParam);
        if (code == BN_CLICKED && id == IdBExportar)
            logic_.BExportarClick();
        else if (code == BN_CLICKED && id == IdBImportar)
            logic_.BImportarClick();
        else if (code == BN_CLICKED && id == IdBClose)
            logic_.BCloseClick();
        else if (code == BN_CLICKED && id == IdButton1)
            logic_.Button1Click();
        else if (code == LBN_DBLCLK && id == IdDirectorios)
            logic_.openRow(static_cast<int>(::SendMessageA(Directorios, LB_GETCURSEL, 0, 0)));
        else if (code == CBN_SELENDOK && id == IdUnidades)
            logic_.pickDrive(static_cast<int>(::SendMessageA(Unidades, CB_GETCURSEL, 0, 0)));
        else
            return false;
        result = 0;
        return true;
    }
    case WM_MEASUREITEM: {
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        item->itemHeight = item->CtlID == IdDirectorios            ? 16
                           : item->itemID == static_cast<UINT>(-1) ? kDriveFieldHeight
                                                                   : 15;
        result = TRUE;
        return true;
    }
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item.CtlType == ODT_BUTTON)
            drawButton(item);
        else if (item.CtlID == IdDirectorios)
            drawFolderRow(item);
        else if (item.CtlID == IdUnidades)
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
    HGDIOBJ oldFont = ::SelectObject(dc, sansSerif_);
    RECT measure{0, 0, 0, 0};
    ::DrawTextA(dc, caption, -1, &measure, DT_CALCRECT | DT_SINGLELINE);
    const bool hasGlyph = item.CtlID != IdButton1;
    const int glyphWidth = hasGlyph ? 18 + 4 : 0;
    const int contentWidth = glyphWidth + measure.right;
    const int left = area.left + (area.right - area.left - contentWidth) / 2 + shift;
    const int middle = (area.top + area.bottom) / 2 + shift;
    if (item.CtlID == IdBClose)
        drawDoorGlyph(dc, left, middle - 9, grey);
    else if (hasGlyph)
        drawCheckGlyph(dc, left, middle - 9, grey);
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
    const int indent = item.rcItem.left + 2 + row.level * kIndentStep;
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

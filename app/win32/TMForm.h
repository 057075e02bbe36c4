#pragma once

#include "app/FormLayout.h"
#include "app/FormLogic.h"
#include "app/FormView.h"
#include "app/Gradient.h"
#include "app/win32/ApplicationWindow.h"

#include <windows.h>

#include <string>
#include <vector>

namespace tts::app::win32 {

// The program's one window drawn with the Win32 API: the two jobs side by side above, the SICE
// folder chooser, the help and the close button below. It draws what its FormLogic decides
// and forwards every user action to it.
class TMForm : private FormView {
public:
    // `arguments`: the command line without the program's name, Windows-1252. FormCreate runs
    // at the end, before the window is shown.
    TMForm(HINSTANCE instance, std::vector<std::string> arguments);
    ~TMForm() override;
    TMForm(const TMForm&) = delete;
    TMForm& operator=(const TMForm&) = delete;

    // Shows the window and handles its messages until it has closed.
    int run();

    FormLogic& logic() { return logic_; }
    HWND handle() const { return window_; }
    void setHelpRequests(HelpRequests* help) { logic_.setHelpRequests(help); }

    // The members as the layout names them; the labels are painted by their panels. BExportar
    // runs the import of the SICE files, BImportar the timetable export (the host's view).
    HWND Draw3D2 = nullptr, BExportar = nullptr;
    HWND Draw3D3 = nullptr, BImportar = nullptr;
    HWND Draw3D1 = nullptr, BClose = nullptr, Directorios = nullptr, Unidades = nullptr,
         Button1 = nullptr;

    // A label as its panel paints it.
    struct Label {
        std::string text;
        RECT area; // left, top, right, bottom in the panel; right/bottom 0: sized to the text
        HFONT font;
        COLORREF colour;
        bool wordWrap = false;
        bool opaque = false; // painted on the panel's own colour
    };
    // A gradient panel's look.
    struct Panel {
        TMForm* form = nullptr;
        Rgb top, middle, bottom;
        std::vector<Label> labels;
        HBITMAP buffer = nullptr;
        SIZE bufferSize{0, 0};
    };

private:
    // FormView
    void showJobPanels(bool siceToHorvane, bool horvaneToSice) override;
    void disableJobButtons() override;
    FormControl focusedControl() const override;
    void focusControl(FormControl control) override;
    void embedInHost(uint32_t handle) override;
    void showFolders() override;
    void closeWindow() override;
    void setBusyPointer(bool busy) override;
    void keepAlive() override;
    void notice(const std::string& text) override;
    void information(const std::string& text) override;
    void error(const std::string& text) override;

    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK panelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Messages that panels pass on from their controls (commands, drawing, colours).
    bool controlMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void paintPanel(HWND window, Panel& panel);

    void registerClasses();
    void buildControls();
    HWND createPanel(Panel& panel, layout::Box box, int helpContext);
    void createControl(FormControl control, HWND panel);
    HFONT fontOf(const layout::Font& look) const;
    Panel& panelOf(layout::Panel panel);
    void drawButton(const DRAWITEMSTRUCT& item);
    void drawFolderRow(const DRAWITEMSTRUCT& item);
    void drawDrive(const DRAWITEMSTRUCT& item);

    // Keys the form decides before the dialog manager sees them; true when taken.
    bool preTranslate(const MSG& message);
    void perform(KeyAction action);
    FormControl controlOf(HWND control) const;
    void helpKey();
    bool isOurs(HWND window) const;
    // The window is active again (after a box, the help, another program): the focus goes
    // back to the control that had it, or on from there if that one cannot take it now.
    void restoreFocus();

    HINSTANCE instance_;
    ApplicationWindow application_;
    HWND lastFocus_ = nullptr;
    HWND window_ = nullptr;
    HFONT arialBold16_ = nullptr, sansSerif_ = nullptr, sansSerifBold_ = nullptr;
    HBRUSH chooserBrush_ = nullptr;
    Panel warmLeft_, warmRight_, cool_;
    Label* folderCaption_ = nullptr; // Label2
    FormControls<HWND> controls_;
    FormLogic logic_;
    bool busy_ = false;
    bool closing_ = false;
};

} // namespace tts::app::win32

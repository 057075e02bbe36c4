#pragma once

#include "app/FormControl.h"
#include "app/Gradient.h"

#include <span>

namespace tts::app::layout {

// The window as both front ends draw it: where everything goes, what it says, in which font and
// colour, and which help it asks. A front end turns this into its toolkit's controls and adds
// only what its toolkit needs on top (frames, drop-down heights).

// A place in the parent's client area; width and height 0: sized to the text.
struct Box {
    int left = 0, top = 0, width = 0, height = 0;
};

inline constexpr const char* kCaption = "Exportar e importar datos entre Horvane y SICE";
inline constexpr int kClientWidth = 599, kClientHeight = 270;
// The two job panels above, side by side; the folder chooser's panel below.
inline constexpr int kUpperHeight = 101;
inline constexpr int kJobPanelsSplit = 289;
// F1 everywhere in the window.
inline constexpr int kHelpContext = 3;

// A font: the face the layout names first, then metric look-alikes where it is not installed.
struct Font {
    std::span<const char* const> faces;
    int pixels;
    bool bold;
};
inline constexpr const char* kSansSerifFaces[] = {
    "MS Sans Serif", "Microsoft Sans Serif", "Liberation Sans", "Arimo", "Nimbus Sans", "Arial"};
inline constexpr const char* kArialFaces[] = {"Arial", "Liberation Sans", "Arimo", "Nimbus Sans"};
inline constexpr Font kSansSerif{kSansSerifFaces, 11, false};
inline constexpr Font kSansSerifBold{kSansSerifFaces, 11, true};
inline constexpr Font kArialBold16{kArialFaces, 16, true};

enum class Panel { SiceToHorvane, HorvaneToSice, Folders };

struct PanelLook {
    const char* name;
    Box box; // the job panels' place when both are shown (see jobPanelBox)
    Rgb top, middle, bottom;
    int helpContext; // 0: the window's
};
// In Panel's order.
inline constexpr PanelLook kPanels[] = {
    {"Draw3D2",
     {0, 0, kJobPanelsSplit, kUpperHeight},
     colours::warmTop,
     colours::warmMiddle,
     colours::warmBottom,
     kHelpContext},
    {"Draw3D3",
     {kJobPanelsSplit, 0, kClientWidth - kJobPanelsSplit, kUpperHeight},
     colours::warmTop,
     colours::warmMiddle,
     colours::warmBottom,
     0},
    {"Draw3D1",
     {0, kUpperHeight, kClientWidth, kClientHeight - kUpperHeight},
     colours::coolTop,
     colours::coolMiddle,
     colours::coolBottom,
     kHelpContext},
};

constexpr const PanelLook& look(Panel panel) {
    return kPanels[static_cast<int>(panel)];
}

// Where a job panel goes: its own place beside the other, or the whole upper area when alone.
constexpr Box jobPanelBox(Panel panel, bool siceToHorvaneShown, bool horvaneToSiceShown) {
    if (siceToHorvaneShown && horvaneToSiceShown)
        return look(panel).box;
    return {0, 0, kClientWidth, kUpperHeight};
}

enum class TextColour { Window, Red, Blue }; // Window: the system's colour for window text

struct LabelLook {
    const char* name;
    Panel panel;
    const char* text; // Windows-1252
    Box box;
    const Font& font;
    TextColour colour;
    bool wordWrap = false; // within the box, broken where the Windows window breaks it
    bool opaque = false;   // on the panel's top colour instead of its gradient
};
// Painted in this order.
inline constexpr LabelLook kLabels[] = {
    {"Label3",
     Panel::SiceToHorvane,
     "Transformar datos desde SICE hacia Horvane ",
     {24, 24, 265, 57},
     kArialBold16,
     TextColour::Window,
     true},
    {"Label4",
     Panel::HorvaneToSice,
     "Transformar datos desde Horvane hacia SICE",
     {8, 24, 305, 57},
     kArialBold16,
     TextColour::Window,
     true},
    {"Label1",
     Panel::Folders,
     "TransHorvaneSICE para VT20 V-1.0",
     {368, 142},
     kSansSerifBold,
     TextColour::Red},
    // The opened folder, shortened to fit the folder list (FormLogic::folderCaption).
    {"Label2", Panel::Folders, "", {70, 20}, kSansSerifBold, TextColour::Red},
    {"Label5",
     Panel::Folders,
     "Carpeta en la que se encuentran los Ficheros TXT de SICE",
     {9, 5},
     kSansSerif,
     TextColour::Blue,
     false,
     true},
    {"Label6", Panel::Folders, "Ruta Actual:", {9, 19}, kSansSerif, TextColour::Blue, false, true},
};
inline constexpr int kFolderCaptionLabel = 3; // Label2 in kLabels

// The keyboard's order through the window (Tab).
inline constexpr FormControl kKeyboardOrder[] = {FormControl::BExportar, FormControl::BImportar,
                                                 FormControl::BClose,    FormControl::Directorios,
                                                 FormControl::Unidades,  FormControl::Button1};

enum class Glyph { None, Check, Door };
inline constexpr int kGlyphSize = 18; // square, left of the caption
inline constexpr int kGlyphGap = 4;   // between glyph and caption

struct ButtonLook {
    FormControl control;
    const char* name;
    Panel panel;
    const char* caption; // "&" marks the Alt letter
    Box box;
    Glyph glyph;
};
// BExportar, under "Transformar datos desde SICE hacia Horvane", runs the import of the SICE
// files; BImportar the timetable export (the names keep the host's point of view).
inline constexpr ButtonLook kButtons[] = {
    {FormControl::BExportar,
     "BExportar",
     Panel::SiceToHorvane,
     "Aceptar",
     {88, 72, 89, 25},
     Glyph::Check},
    {FormControl::BImportar,
     "BImportar",
     Panel::HorvaneToSice,
     "Aceptar",
     {96, 72, 89, 25},
     Glyph::Check},
    {FormControl::BClose, "BClose", Panel::Folders, "&Salir", {385, 105, 89, 25}, Glyph::Door},
    {FormControl::Button1, "Button1", Panel::Folders, "F1 AYUDA", {220, 142, 75, 21}, Glyph::None},
};

constexpr const ButtonLook* buttonLook(FormControl control) {
    for (const ButtonLook& button : kButtons)
        if (button.control == control)
            return &button;
    return nullptr;
}

// The folder chooser, in the folders' panel, on the chooser's own background.
inline constexpr Box kFolderList{8, 34, 287, 106};    // Directorios
inline constexpr Box kDriveSelector{8, 142, 137, 19}; // Unidades, its selection field
inline constexpr int kFolderRowHeight = 16;
inline constexpr int kFolderIndentStep = 4; // per level below the drive
// The buttons' and the chooser's font, the window's own.
inline constexpr const Font& kControlFont = kSansSerif;

} // namespace tts::app::layout

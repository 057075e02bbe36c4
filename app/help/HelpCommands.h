#pragma once

namespace tts::app {

// The commands that the application sends to the help manager, with the values of the old
// WinHelp interface (HELP_CONTEXT, HELP_QUIT, HELP_CONTENTS...). Named here, not taken from the
// Windows headers, whose macros of the same names would clash.
namespace winhelp {
inline constexpr unsigned HelpContext = 0x0001;
inline constexpr unsigned HelpQuit = 0x0002;
inline constexpr unsigned HelpContents = 0x0003;
inline constexpr unsigned HelpKey = 0x0101;
inline constexpr unsigned HelpCommand = 0x0102;
} // namespace winhelp

// The commands of the HTML Help entry, with their published values (HH_DISPLAY_TOPIC,
// HH_DISPLAY_TOC, HH_DISPLAY_INDEX, HH_HELP_CONTEXT, HH_CLOSE_ALL).
namespace htmlhelp {
inline constexpr unsigned DisplayTopic = 0x0000;
inline constexpr unsigned DisplayToc = 0x0001;
inline constexpr unsigned DisplayIndex = 0x0002;
inline constexpr unsigned HelpContext = 0x000F;
inline constexpr unsigned CloseAll = 0x0012;
} // namespace htmlhelp

} // namespace tts::app

#include "app/help/HtmlHelpLibrary.h"

#include <gtest/gtest.h>

namespace tts::app {
namespace {

// The system's HTML Help library has the entry the viewer calls, and a call reaches it: the
// close-all command needs no window and no file.
TEST(WindowsHtmlHelp, HtmlHelpAIsFoundInHHCtrlOcx) {
    std::unique_ptr<HtmlHelpLibrary> library = loadHtmlHelpLibrary();
    HtmlHelpEntry entry = library->entry();
    ASSERT_TRUE(entry) << "HHCtrl.ocx or its HtmlHelpA is missing";
    constexpr unsigned kCloseAll = 0x0012;
    entry(0, nullptr, kCloseAll, 0);
}

} // namespace
} // namespace tts::app

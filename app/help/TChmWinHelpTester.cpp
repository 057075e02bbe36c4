#include "app/help/TChmWinHelpTester.h"

namespace tts::app {

bool TChmWinHelpTester::canShowALink(const std::string&, const std::string&) {
    return false;
}

bool TChmWinHelpTester::canShowTopic(const std::string&, const std::string&) {
    return false;
}

bool TChmWinHelpTester::canShowContext(int, const std::string&) {
    return false;
}

std::vector<std::string> TChmWinHelpTester::helpStrings(const std::string& keyword) {
    return {": " + keyword};
}

std::string TChmWinHelpTester::helpPath() {
    return {};
}

std::string TChmWinHelpTester::defaultHelpFile() {
    return {};
}

} // namespace tts::app

#include "app/help/HelpManager.h"

#include "app/help/HelpCommands.h"
#include "app/help/ISpecialWinHelpViewer.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace tts::app {

namespace {

// Sorts the offers by their text, keeping registration order among equal texts, and returns the
// texts in that order.
template <class Offer> std::vector<std::string> sortOffers(std::vector<Offer>& offers) {
    std::stable_sort(offers.begin(), offers.end(),
                     [](const Offer& a, const Offer& b) { return a.first < b.first; });
    std::vector<std::string> texts;
    texts.reserve(offers.size());
    for (const auto& offer : offers)
        texts.push_back(offer.first);
    return texts;
}

bool validPosition(int position, std::size_t count) {
    return position >= 0 && static_cast<std::size_t>(position) < count;
}

} // namespace

std::shared_ptr<IHelpManager>
HelpManager::registerViewer(const std::shared_ptr<ICustomHelpViewer>& viewer) {
    const int id = ++lastViewerId_;
    viewers_.push_back({id, viewer});
    if (auto extended = std::dynamic_pointer_cast<IExtendedHelpViewer>(viewer))
        contextViewers_.push_back({id, std::move(extended)});
    viewer->notifyId(id);
    return shared_from_this();
}

void HelpManager::setHelpSelector(std::shared_ptr<IHelpSelector> selector) {
    selector_ = std::move(selector);
}

void HelpManager::release(int viewerId) {
    // Take the entries out first: dropping the last reference may run the viewer's destructor,
    // which must not find itself half removed.
    std::vector<Entry<ICustomHelpViewer>> released;
    std::vector<Entry<IExtendedHelpViewer>> releasedExtended;
    auto move = [viewerId](auto& list, auto& out) {
        auto firstReleased = std::stable_partition(
            list.begin(), list.end(), [viewerId](const auto& e) { return e.id != viewerId; });
        std::move(firstReleased, list.end(), std::back_inserter(out));
        list.erase(firstReleased, list.end());
    };
    move(viewers_, released);
    move(contextViewers_, releasedExtended);
}

std::vector<std::shared_ptr<ICustomHelpViewer>> HelpManager::viewers() const {
    std::vector<std::shared_ptr<ICustomHelpViewer>> list;
    for (const auto& entry : viewers_)
        list.push_back(entry.viewer);
    return list;
}

std::vector<std::shared_ptr<IExtendedHelpViewer>> HelpManager::contextViewers() const {
    std::vector<std::shared_ptr<IExtendedHelpViewer>> list;
    for (const auto& entry : contextViewers_)
        list.push_back(entry.viewer);
    return list;
}

void HelpManager::helpCommand(unsigned command, std::uintptr_t data, const std::string& helpFile,
                              WindowHandle window) {
    helpFile_ = helpFile;
    switch (command) {
    case winhelp::HelpContext:
        showContext(static_cast<int>(data), helpFile);
        break;
    case winhelp::HelpQuit:
        quit();
        break;
    case winhelp::HelpContents:
        showTableOfContents();
        break;
    default:
        passToWinHelp(command, data, helpFile, window);
        break;
    }
}

void HelpManager::showContext(int contextId, const std::string& helpFile) {
    // A copy, so that a viewer may release itself while it is asked.
    for (const auto& viewer : contextViewers()) {
        if (viewer->understandsContext(contextId, helpFile)) {
            viewer->displayHelpByContext(contextId, helpFile);
            return;
        }
    }
}

void HelpManager::quit() {
    for (const auto& viewer : viewers())
        viewer->softShutDown();
}

void HelpManager::showTableOfContents() {
    std::vector<std::pair<std::string, std::shared_ptr<ICustomHelpViewer>>> offers;
    for (const auto& viewer : viewers())
        if (viewer->canShowTableOfContents())
            offers.emplace_back(viewer->viewerName(), viewer);
    if (offers.empty())
        return;
    if (offers.size() == 1) {
        offers.front().second->showTableOfContents();
        return;
    }
    const auto names = sortOffers(offers);
    const int chosen = selector_ ? selector_->tableOfContents(names) : 0;
    // A selector that names no listed viewer chooses none.
    if (validPosition(chosen, offers.size()))
        offers[static_cast<std::size_t>(chosen)].second->showTableOfContents();
}

void HelpManager::showKeyword(const std::string& keyword, const std::string& helpFile) {
    helpFile_ = helpFile;
    std::vector<std::shared_ptr<ICustomHelpViewer>> claimants;
    for (const auto& viewer : viewers())
        if (viewer->understandsKeyword(keyword) > 0)
            claimants.push_back(viewer);
    if (claimants.empty())
        return;
    if (claimants.size() == 1) {
        claimants.front()->showHelp(keyword);
        return;
    }
    std::vector<std::pair<std::string, std::shared_ptr<ICustomHelpViewer>>> offers;
    for (const auto& viewer : claimants)
        for (auto& line : viewer->helpStrings(keyword))
            offers.emplace_back(std::move(line), viewer);
    if (offers.empty())
        return;
    const auto lines = sortOffers(offers);
    const int chosen = selector_ ? selector_->selectKeyword(lines) : 0;
    if (validPosition(chosen, offers.size())) {
        const auto& offer = offers[static_cast<std::size_t>(chosen)];
        offer.second->showHelp(offer.first);
    }
}

void HelpManager::showTopic(const std::string& topic, const std::string& helpFile) {
    helpFile_ = helpFile;
    for (const auto& viewer : contextViewers()) {
        if (viewer->understandsTopic(topic)) {
            viewer->displayTopic(topic);
            return;
        }
    }
}

void HelpManager::passToWinHelp(unsigned command, std::uintptr_t data, const std::string& helpFile,
                                WindowHandle window) {
    for (const auto& viewer : viewers()) {
        if (auto winHelp = std::dynamic_pointer_cast<ISpecialWinHelpViewer>(viewer)) {
            winHelp->callWinHelp(window, helpFile, command, data);
            return;
        }
    }
}

} // namespace tts::app

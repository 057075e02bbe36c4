#pragma once

#include "base/RunHost.h"

#include <cstdint>
#include <string>

namespace tts::fuzz {

// A job's surroundings that never wait and show nothing; keeps just enough to check the outcome.
class SilentRunHost : public RunHost {
public:
    void showMessage(const std::string& text) override {
        lastMessage = text;
        ++messageCount;
    }
    void setBusy(bool) override {}
    bool isEmbedded() const override { return false; }
    void closeWindow() override {}
    void disableJobs() override { jobsDisabled = true; }
    int32_t result() const override { return result_; }
    void setResult(int32_t code) override { result_ = code; }

    std::string lastMessage;
    int messageCount = 0;
    bool jobsDisabled = false;

private:
    int32_t result_ = 0;
};

} // namespace tts::fuzz

#pragma once

#include "base/RunHost.h"

#include <string>
#include <vector>

namespace tts::test {

// Records everything a job asks of its surroundings, in order.
class RecordingRunHost : public RunHost {
public:
    explicit RecordingRunHost(bool embedded = false, int32_t initialResult = 0)
        : embedded_(embedded), result_(initialResult) {}

    void showMessage(const std::string& text) override {
        messages.push_back(text);
        events.push_back("message:" + text);
    }
    void showWarnings(const std::vector<std::string>& lines) override {
        warnings = lines;
        events.push_back("warnings:" + std::to_string(lines.size()));
    }
    void setBusy(bool busy) override {
        this->busy = busy;
        events.push_back(busy ? "busy:on" : "busy:off");
    }
    bool isEmbedded() const override { return embedded_; }
    void closeWindow() override {
        ++closeCount;
        events.push_back("close");
    }
    void disableJobs() override {
        jobsDisabled = true;
        events.push_back("disable");
    }
    int32_t result() const override { return result_; }
    void setResult(int32_t code) override {
        result_ = code;
        events.push_back("result:" + std::to_string(code));
    }

    // The job's last notice says that it ran to its end.
    bool finished() const { return !messages.empty() && messages.back() == kJobFinished; }

    std::vector<std::string> messages;
    std::vector<std::string> warnings; // the last ones shown
    std::vector<std::string> events;
    bool busy = false;
    bool jobsDisabled = false;
    int closeCount = 0;

private:
    bool embedded_;
    int32_t result_;
};

} // namespace tts::test

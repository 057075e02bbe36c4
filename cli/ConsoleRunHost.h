#pragma once

#include "base/RunHost.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace tts::cli {

// The command line's side of a job: notices go to standard error one per line, except the job's
// closing one, which goes to standard output. Never waits for input.
class ConsoleRunHost : public RunHost {
public:
    ConsoleRunHost(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}

    void showMessage(const std::string& text) override;
    void showFinished() override;
    void setBusy(bool) override {}
    bool isEmbedded() const override { return false; }
    void closeWindow() override {}
    void disableJobs() override {}
    int32_t result() const override { return result_; }
    void setResult(int32_t code) override { result_ = code; }

    const std::vector<std::string>& messages() const { return messages_; }

private:
    std::ostream& out_;
    std::ostream& err_;
    int32_t result_ = 0;
    std::vector<std::string> messages_;
};

} // namespace tts::cli

#pragma once
// A platform for benchmarks: nothing is asked, played or opened, and the program and data folders
// are temporary ones, so the program runs as it would for a player who answers Yes.
#include <QTemporaryDir>
#include <string>

#include "widgets/layer/file_dialog.h"
#include "widgets/layer/messages.h"
#include "widgets/layer/platform.h"

namespace qobench {

class QuietPlatform final : public qo::Platform {
public:
    int messageBox(qo::Control*, const std::string&, const std::string&, std::uint32_t) override {
        return qo::IDYES;
    }
    bool fileDialog(qo::FileDialog&) override { return false; }
    void playSound(const std::string&) override {}
    void openUrl(const std::string&) override {}
    std::int64_t utcTimeOfDayMs() override { return 43'210'987; }
    std::string programFolder() override { return dir_.path().toStdString() + "/"; }
    std::string dataFolder() override { return dir_.path().toStdString() + "/data/"; }
    bool fileExists(const std::string&) override { return false; }

private:
    QTemporaryDir dir_;
};

} // namespace qobench

#pragma once
// The program's short sounds (a marked cell, a row, a card, a ticket). Playing is asynchronous and a
// new sound cuts off one still playing; a machine without an audio device is no error, only silent.
#include <QString>
#include <memory>

namespace qo::platform {

class SoundPlayer {
public:
    SoundPlayer();
    ~SoundPlayer();
    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;

    void play(const QString& path);

private:
    struct Device;
    std::unique_ptr<Device> device_;
};

} // namespace qo::platform

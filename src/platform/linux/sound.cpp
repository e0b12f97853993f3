// Sounds through the audio module (the toolkit's multimedia module), whose device is opened at the
// first sound. The sound lives on the audio thread, so a sound server that is slow or hangs never
// holds up a window; the module is opened there too.
#include "platform/sound.h"

#include "platform/linux/audio_module.h"
#include "platform/linux/audio_thread.h"

namespace qo::platform {

struct SoundPlayer::Device {
    std::shared_ptr<QObject*> player = std::make_shared<QObject*>(nullptr); // the thread's
    AudioThread thread;
    Device() {
        thread.atEnd([player = player] {
            delete *player;
            *player = nullptr;
        });
    }
};

SoundPlayer::SoundPlayer() = default;
SoundPlayer::~SoundPlayer() = default;

void SoundPlayer::play(const QString& path) {
    if (!device_) device_ = std::make_unique<Device>();
    device_->thread.post([player = device_->player, path] {
        const AudioModule* audio = Audio();
        if (!audio) return;
        if (!*player) *player = audio->makeSoundPlayer();
        audio->playSound(*player, path);
    });
}

} // namespace qo::platform

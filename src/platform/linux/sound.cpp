// Sounds through the toolkit's multimedia module, whose device is opened at the first sound. The
// sound lives on the audio thread, so a sound server that is slow or hangs never holds up a window.
#include "platform/sound.h"

#include <QSoundEffect>
#include <QUrl>

#include "platform/linux/audio_thread.h"

namespace qo::platform {

struct SoundPlayer::Device {
    std::shared_ptr<QSoundEffect*> effect = std::make_shared<QSoundEffect*>(nullptr); // the thread's
    AudioThread thread;
    Device() {
        thread.atEnd([effect = effect] {
            delete *effect;
            *effect = nullptr;
        });
    }
};

SoundPlayer::SoundPlayer() = default;
SoundPlayer::~SoundPlayer() = default;

void SoundPlayer::play(const QString& path) {
    if (!device_) device_ = std::make_unique<Device>();
    device_->thread.post([effect = device_->effect, path] {
        if (!*effect) *effect = new QSoundEffect;
        (*effect)->stop();
        (*effect)->setSource(QUrl::fromLocalFile(path));
        (*effect)->play();
    });
}

} // namespace qo::platform

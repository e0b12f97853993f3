// Sounds through the toolkit's multimedia module, whose device is opened at the first sound.
#include "platform/sound.h"

#include <QSoundEffect>
#include <QUrl>

namespace qo::platform {

struct SoundPlayer::Device {
    QSoundEffect effect;
};

SoundPlayer::SoundPlayer() = default;
SoundPlayer::~SoundPlayer() = default;

void SoundPlayer::play(const QString& path) {
    if (!device_) device_ = std::make_unique<Device>();
    device_->effect.stop();
    device_->effect.setSource(QUrl::fromLocalFile(path));
    device_->effect.play();
}

} // namespace qo::platform

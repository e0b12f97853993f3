// Sounds through the system's own player: asynchronous, one at a time (a new sound stops the one
// playing), and silent without a device. The toolkit's multimedia module would need Media Foundation.
#include "platform/sound.h"

#include <windows.h>
// After windows.h, whose types it uses.
#include <mmsystem.h>

namespace qo::platform {

struct SoundPlayer::Device {};

SoundPlayer::SoundPlayer() = default;

SoundPlayer::~SoundPlayer() {
    PlaySoundW(nullptr, nullptr, 0);
}

void SoundPlayer::play(const QString& path) {
    // SND_NODEFAULT: a missing file stays silent rather than playing the system's "ding".
    PlaySoundW(reinterpret_cast<const wchar_t*>(path.utf16()), nullptr,
               SND_FILENAME | SND_ASYNC | SND_NODEFAULT);
}

} // namespace qo::platform

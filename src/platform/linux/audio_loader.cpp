// Finds the audio module beside the program, or where an installed program keeps its libraries
// (bin/ or games/ beside lib/fishkodrom/), and opens it once.
#include <QCoreApplication>
#include <QLibrary>
#include <mutex>

#include "platform/linux/audio_module.h"

// Present only in a program that links the module's code itself.
extern "C" __attribute__((weak)) const qo::platform::AudioModule* qo_audio_module();

namespace qo::platform {

const AudioModule* Audio() {
    static const AudioModule* module = nullptr;
    static std::once_flag opened;
    std::call_once(opened, [] {
        if (qo_audio_module) {
            module = qo_audio_module();
            return;
        }
        const QString folder = QCoreApplication::applicationDirPath();
        for (const QString& path : {folder + QStringLiteral("/libfishkodrom-audio.so"),
                                    folder + QStringLiteral("/../lib/fishkodrom/libfishkodrom-audio.so")}) {
            // Open to the process's end (a QLibrary going does not unload it): a sound or a voice
            // made from it may outlive any owner.
            QLibrary library(path);
            using Entry = const AudioModule* (*)();
            if (auto entry = reinterpret_cast<Entry>(library.resolve("qo_audio_module"))) {
                module = entry();
                return;
            }
        }
    });
    return module;
}

} // namespace qo::platform

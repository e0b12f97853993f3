// Finds the reading's library beside the program, or where an installed program keeps its libraries
// (bin/ or games/ beside lib/fishkodrom/), and opens it once.
#include <QCoreApplication>
#include <QLibrary>
#include <mutex>

#include "app/photo/photo_module.h"

// Present only in a program that links the reading's code itself.
extern "C" __attribute__((weak)) const lotto::photo::PhotoModule* qo_photo_module();

namespace lotto::photo {

const PhotoModule* Reading() {
    static const PhotoModule* module = nullptr;
    static std::once_flag opened;
    std::call_once(opened, [] {
        if (qo_photo_module) {
            module = qo_photo_module();
            return;
        }
        const QString folder = QCoreApplication::applicationDirPath();
        const QString name = QStringLiteral(QO_PHOTO_MODULE_NAME);
        for (const QString& path :
             {folder + QStringLiteral("/") + name, folder + QStringLiteral("/../lib/fishkodrom/") + name}) {
            // Open to the process's end: a QLibrary going does not unload it.
            QLibrary library(path);
            using Entry = const PhotoModule* (*)();
            if (auto entry = reinterpret_cast<Entry>(library.resolve("qo_photo_module"))) {
                module = entry();
                return;
            }
        }
    });
    return module;
}

PhotoResult ReadPhotoThroughModule(std::span<const unsigned char> file) {
    const PhotoModule* module = Reading();
    if (!module) return {PhotoStatus::NoReader, {}};
    return module->readPhoto(file);
}

} // namespace lotto::photo

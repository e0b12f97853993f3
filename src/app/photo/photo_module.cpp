#include "app/photo/photo_module.h"

extern "C" __attribute__((visibility("default"))) const lotto::photo::PhotoModule* qo_photo_module() {
    static const lotto::photo::PhotoModule module{&lotto::photo::ReadPhoto};
    return &module;
}

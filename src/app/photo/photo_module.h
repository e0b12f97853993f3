#pragma once
// The reading as a library of its own, opened at the first picture: it brings the image libraries
// (and theirs below them, a hundred or so), which the program would otherwise load before its
// window first shows. The review window reaches the reading only through here.
#include <cstddef>
#include <span>

#include "app/photo/photo_reader.h"

namespace lotto::photo {

struct PhotoModule {
    PhotoResult (*readPhoto)(std::span<const unsigned char> file);
};

// The module, opened once on first need, beside the program or where an installed program keeps its
// libraries; null when it is not there.
const PhotoModule* Reading();

// ReadPhoto through the module; NoReader without it.
PhotoResult ReadPhotoThroughModule(std::span<const unsigned char> file);

} // namespace lotto::photo

// The module's one entry. A program that links the reading's code itself (the test programs) is
// given it without opening the library.
extern "C" const lotto::photo::PhotoModule* qo_photo_module();

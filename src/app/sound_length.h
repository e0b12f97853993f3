#pragma once
// How long a sound file plays, read from its header: what lets the additions' own sound wait for
// a described one to end rather than cut it off, as a new sound replaces one still playing.
#include <cstdint>
#include <string>

namespace lotto {

// The length of a wave file's sound in milliseconds, from the file's bytes (its header is enough);
// 0 for anything that is no wave file.
std::int64_t WaveLengthMs(const std::string& bytes);

} // namespace lotto

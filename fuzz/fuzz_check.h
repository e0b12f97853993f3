#pragma once
// A failed property stops the run with the property's text, so libFuzzer keeps the input.
#include <cstdio>
#include <cstdlib>

namespace qofuzz {
[[noreturn]] inline void Fail(const char* what) {
    std::fprintf(stderr, "check failed: %s\n", what);
    std::abort();
}
} // namespace qofuzz

#define FUZZ_CHECK(cond)                                                                                     \
    do {                                                                                                     \
        if (!(cond)) ::qofuzz::Fail(#cond);                                                                  \
    } while (0)

#include "widgets/layer/words.h"

#include <utility>

namespace qo {
namespace {

Words& Current() {
    static Words words;
    return words;
}

} // namespace

void SetWords(Words words) {
    Current() = std::move(words);
}

const Words& CurrentWords() {
    return Current();
}

const std::string& WordsFor(Doing doing) {
    return Current().doing[static_cast<std::size_t>(doing)];
}

} // namespace qo

#pragma once
// RareText: a text property that nearly every element leaves empty (a hint, the kept-property list
// and where it is kept). It costs one pointer until it is set; a ticket holds a dozen elements, and
// a long list thousands of tickets. Reads see a std::string.
#include <memory>
#include <string>
#include <utility>

namespace qo {

class RareText {
public:
    RareText() = default;
    RareText(const RareText& other) : text_(other.text_ ? std::make_unique<std::string>(*other.text_) : nullptr) {}
    RareText(RareText&&) noexcept = default;
    RareText& operator=(const RareText& other) { return *this = other.str(); }
    RareText& operator=(RareText&&) noexcept = default;
    RareText& operator=(std::string text) {
        if (text.empty())
            text_.reset();
        else
            text_ = std::make_unique<std::string>(std::move(text));
        return *this;
    }
    RareText& operator=(const char* text) { return *this = std::string(text); }

    const std::string& str() const { return text_ ? *text_ : Empty(); }
    operator const std::string&() const { return str(); } // NOLINT: reads as the string it holds
    bool empty() const { return !text_; }
    bool operator==(const RareText& other) const { return str() == other.str(); }
    bool operator==(const std::string& other) const { return str() == other; }

private:
    static const std::string& Empty() {
        static const std::string empty;
        return empty;
    }
    std::unique_ptr<std::string> text_;
};

} // namespace qo

#pragma once
// Inside the layer: the toolkit's speech engine, as the toolkit platform speaks through it.
#include <memory>
#include <string>

namespace qo {

class Speaker {
public:
    Speaker();
    ~Speaker();
    Speaker(const Speaker&) = delete;
    Speaker& operator=(const Speaker&) = delete;

    // Why Russian cannot be spoken, Windows-1251; "" when it can. `quick`: only whether an engine is
    // installed at all, without starting one; otherwise the engine is started and asked, once.
    std::string problem(bool quick = false);
    // Starts saying a Windows-1251 text, cutting off what is still being said; returns at once.
    void say(const std::string& textCp1251);

private:
    struct Engine;
    std::unique_ptr<Engine> engine_;
    std::string problem_;
    bool looked_ = false;
};

} // namespace qo

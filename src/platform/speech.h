#pragma once
// Russian speech through the system's engine. A machine without an engine or without a Russian voice
// is an ordinary one: problem() says why in the program's words, and say() stays silent.
#include <QString>
#include <memory>

namespace qo::platform {

class Speaker {
public:
    Speaker();
    ~Speaker();
    Speaker(const Speaker&) = delete;
    Speaker& operator=(const Speaker&) = delete;

    // Why Russian cannot be spoken; empty when it can. `quick`: only whether an engine is there at
    // all, without starting one; otherwise the engine is started and asked, once.
    QString problem(bool quick = false);
    // Starts saying `text`, cutting off what is still being said; returns at once.
    void say(const QString& text);

private:
    struct Engine;
    std::unique_ptr<Engine> engine_;
    QString problem_;
    bool looked_ = false;
};

} // namespace qo::platform

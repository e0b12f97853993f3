#pragma once
// Russian speech through the system's engine. A machine without an engine or without a Russian voice
// is an ordinary one: problem() says why, for the program to put in its words, and say() stays
// silent.
#include <QString>
#include <memory>

namespace qo::platform {

struct SpeechTrouble {
    enum Kind {
        None,           // Russian can be spoken
        BuiltWithout,   // the program was built without the speech module
        NoEngine,       // the system has no speech engine
        NotAnswering,   // an engine is there but does not answer
        NoRussianVoice, // the engines answer, none with a Russian voice
        NoAudioModule,  // the program's own sound and speech library is not where it was installed
    };
    Kind kind = None;
    QString engineWords; // what the engine said of its trouble, when it said anything
};

// The kind of speech engine this desktop has, so the program can name it when it is missing.
enum class SpeechSystem { Windows, SpeechDispatcher };
SpeechSystem SystemSpeech();

class Speaker {
public:
    Speaker();
    ~Speaker();
    Speaker(const Speaker&) = delete;
    Speaker& operator=(const Speaker&) = delete;

    // Why Russian cannot be spoken; None when it can. `quick`: only whether an engine is there at
    // all, without starting one; otherwise the engine is started and asked, once.
    SpeechTrouble problem(bool quick = false);
    // Starts saying `text`, cutting off what is still being said; returns at once.
    void say(const QString& text);

private:
    struct Engine;
    std::unique_ptr<Engine> engine_;
    SpeechTrouble problem_;
    bool looked_ = false;
};

} // namespace qo::platform

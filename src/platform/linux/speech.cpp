// Russian speech through the audio module (the toolkit's speech module, over the speech
// dispatcher). The engine lives on the audio thread: a dispatcher that is slow to start, or hangs,
// holds up that thread only, and the windows wait for its first answer a bounded moment.
#include "platform/speech.h"

#include <condition_variable>
#include <mutex>

#include "platform/linux/audio_module.h"
#include "platform/linux/audio_thread.h"

namespace qo::platform {
namespace {

// Long enough for a dispatcher the first question starts; a longer silence is a hung one.
constexpr int kAnswerMs = 2000;

// What the audio thread found, for the window's thread to read.
struct Found {
    std::mutex mutex;
    std::condition_variable answered;
    bool done = false;
    SpeechTrouble problem;
    QObject* voice = nullptr; // the audio thread's
};

} // namespace

struct Speaker::Engine {
    std::shared_ptr<Found> found = std::make_shared<Found>();
    AudioThread thread;
    Engine() {
        thread.atEnd([found = found] {
            delete found->voice;
            found->voice = nullptr;
        });
    }
};

SpeechSystem SystemSpeech() {
    return SpeechSystem::SpeechDispatcher;
}

Speaker::Speaker() = default;
Speaker::~Speaker() = default;

SpeechTrouble Speaker::problem(bool quick) {
    if (looked_) return problem_;
    const AudioModule* audio = Audio();
    const QStringList engines = audio ? audio->speechEngines() : QStringList();
    if (quick && !engines.isEmpty()) return {};
    looked_ = true;
    if (!audio) {
        problem_ = {SpeechTrouble::NoAudioModule, {}};
        return problem_;
    }
    if (!audio->speechBuilt) {
        problem_ = {SpeechTrouble::BuiltWithout, {}};
        return problem_;
    }
    if (engines.isEmpty()) {
        problem_ = {SpeechTrouble::NoEngine, {}};
        return problem_;
    }
    engine_ = std::make_unique<Engine>();
    std::shared_ptr<Found> found = engine_->found;
    engine_->thread.post([audio, engines, found] {
        SpeechTrouble problem;
        QObject* voice = audio->startRussianVoice(engines, problem);
        const std::lock_guard lock(found->mutex);
        found->voice = voice;
        found->problem = problem;
        found->done = true;
        found->answered.notify_all();
    });
    std::unique_lock lock(found->mutex);
    if (found->answered.wait_for(lock, std::chrono::milliseconds(kAnswerMs), [&] { return found->done; }))
        problem_ = found->problem;
    else
        problem_ = {SpeechTrouble::NotAnswering, {}};
    return problem_;
}

void Speaker::say(const QString& text) {
    if (problem().kind != SpeechTrouble::None) return;
    engine_->thread.post([audio = Audio(), found = engine_->found, text] {
        if (found->voice) audio->say(found->voice, text);
    });
}

} // namespace qo::platform

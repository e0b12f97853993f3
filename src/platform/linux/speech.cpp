// Russian speech through the toolkit's speech module, over the speech dispatcher. The engine lives
// on the audio thread: a dispatcher that is slow to start, or hangs, holds up that thread only, and
// the windows wait for its first answer a bounded moment.
#include "platform/speech.h"

#ifdef QO_HAVE_SPEECH
#include <QLocale>
#include <QTextToSpeech>
#include <condition_variable>
#include <mutex>

#include "platform/linux/audio_thread.h"
#endif

namespace qo::platform {

#ifdef QO_HAVE_SPEECH
namespace {

// Long enough for a dispatcher the first question starts; a longer silence is a hung one.
constexpr int kAnswerMs = 2000;

// What the audio thread found, for the window's thread to read.
struct Found {
    std::mutex mutex;
    std::condition_variable answered;
    bool done = false;
    SpeechTrouble problem;
    QTextToSpeech* tts = nullptr; // the audio thread's
};

// On the audio thread: the first engine that speaks Russian, the speech dispatcher first (it
// carries espeak-ng's Russian voice; the other engines Debian packs have none).
void FindRussian(QStringList engines, Found& found) {
    if (engines.removeAll(QStringLiteral("speechd")) > 0) engines.prepend(QStringLiteral("speechd"));
    SpeechTrouble problem{SpeechTrouble::NoRussianVoice, {}};
    QTextToSpeech* chosen = nullptr;
    for (const QString& name : engines) {
        auto tts = std::make_unique<QTextToSpeech>(name);
        if (tts->state() == QTextToSpeech::Error) {
            problem = {SpeechTrouble::NotAnswering, tts->errorString()};
            continue;
        }
        for (const QLocale& locale : tts->availableLocales()) {
            if (locale.language() != QLocale::Russian) continue;
            tts->setLocale(locale);
            chosen = tts.release();
            problem = {};
            break;
        }
        if (chosen) break;
    }
    const std::lock_guard lock(found.mutex);
    found.tts = chosen;
    found.problem = problem;
    found.done = true;
    found.answered.notify_all();
}

} // namespace

struct Speaker::Engine {
    std::shared_ptr<Found> found = std::make_shared<Found>();
    AudioThread thread;
    Engine() {
        thread.atEnd([found = found] {
            delete found->tts;
            found->tts = nullptr;
        });
    }
};
#else
struct Speaker::Engine {};
#endif

Speaker::Speaker() = default;
Speaker::~Speaker() = default;

SpeechTrouble Speaker::problem(bool quick) {
    if (looked_) return problem_;
#ifdef QO_HAVE_SPEECH
    const QStringList engines = QTextToSpeech::availableEngines();
    if (quick && !engines.isEmpty()) return {};
    looked_ = true;
    if (engines.isEmpty()) {
        problem_ = {SpeechTrouble::NoEngine, {}};
        return problem_;
    }
    engine_ = std::make_unique<Engine>();
    std::shared_ptr<Found> found = engine_->found;
    engine_->thread.post([engines, found] { FindRussian(engines, *found); });
    std::unique_lock lock(found->mutex);
    if (found->answered.wait_for(lock, std::chrono::milliseconds(kAnswerMs), [&] { return found->done; }))
        problem_ = found->problem;
    else
        problem_ = {SpeechTrouble::NotAnswering, {}};
#else
    (void)quick;
    looked_ = true;
    problem_ = {SpeechTrouble::BuiltWithout, {}};
#endif
    return problem_;
}

void Speaker::say(const QString& text) {
    if (problem().kind != SpeechTrouble::None) return;
#ifdef QO_HAVE_SPEECH
    engine_->thread.post([found = engine_->found, text] {
        if (found->tts) found->tts->say(text);
    });
#else
    (void)text;
#endif
}

} // namespace qo::platform

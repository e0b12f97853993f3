// The audio module: the toolkit's multimedia module for the sounds, its speech module over the
// speech dispatcher for the voice. Built as a library the program opens when it first needs it.
#include "platform/linux/audio_module.h"

#include <QLocale>
#include <QSoundEffect>
#include <QUrl>
#include <memory>
#ifdef QO_HAVE_SPEECH
#include <QTextToSpeech>
#endif

namespace qo::platform {
namespace {

QStringList SpeechEngines() {
#ifdef QO_HAVE_SPEECH
    return QTextToSpeech::availableEngines();
#else
    return {};
#endif
}

QObject* MakeSoundPlayer() {
    return new QSoundEffect;
}

void PlaySound(QObject* player, const QString& path) {
    auto* effect = static_cast<QSoundEffect*>(player);
    effect->stop();
    effect->setSource(QUrl::fromLocalFile(path));
    effect->play();
}

// The speech dispatcher first: it carries espeak-ng's Russian voice; the other engines Debian packs
// have none.
QObject* StartRussianVoice(const QStringList& given, SpeechTrouble& problem) {
#ifdef QO_HAVE_SPEECH
    QStringList engines = given;
    if (engines.removeAll(QStringLiteral("speechd")) > 0) engines.prepend(QStringLiteral("speechd"));
    problem = {SpeechTrouble::NoRussianVoice, {}};
    for (const QString& name : engines) {
        auto tts = std::make_unique<QTextToSpeech>(name);
        if (tts->state() == QTextToSpeech::Error) {
            problem = {SpeechTrouble::NotAnswering, tts->errorString()};
            continue;
        }
        for (const QLocale& locale : tts->availableLocales()) {
            if (locale.language() != QLocale::Russian) continue;
            tts->setLocale(locale);
            problem = {};
            return tts.release();
        }
    }
#else
    (void)given;
    (void)problem;
#endif
    return nullptr;
}

void Say(QObject* voice, const QString& text) {
#ifdef QO_HAVE_SPEECH
    static_cast<QTextToSpeech*>(voice)->say(text);
#else
    (void)voice;
    (void)text;
#endif
}

#ifdef QO_HAVE_SPEECH
constexpr bool kSpeechBuilt = true;
#else
constexpr bool kSpeechBuilt = false;
#endif
constexpr AudioModule kModule{kSpeechBuilt, &SpeechEngines,     &MakeSoundPlayer,
                              &PlaySound,   &StartRussianVoice, &Say};

} // namespace
} // namespace qo::platform

extern "C" Q_DECL_EXPORT const qo::platform::AudioModule* qo_audio_module() {
    return &qo::platform::kModule;
}

// Russian speech through the toolkit's speech module, over the speech dispatcher.
#include "platform/speech.h"

#ifdef QO_HAVE_SPEECH
#include <QLocale>
#include <QTextToSpeech>
#endif

namespace qo::platform {

#ifdef QO_HAVE_SPEECH
struct Speaker::Engine {
    std::unique_ptr<QTextToSpeech> tts;
};
#else
struct Speaker::Engine {};
#endif

Speaker::Speaker() = default;
Speaker::~Speaker() = default;

QString Speaker::problem(bool quick) {
    if (looked_) return problem_;
#ifdef QO_HAVE_SPEECH
    QStringList engines = QTextToSpeech::availableEngines();
    if (quick && !engines.isEmpty()) return {};
    looked_ = true;
    // The speech dispatcher carries espeak-ng's Russian voice; the other engines Debian packs have none.
    if (engines.removeAll(QStringLiteral("speechd")) > 0) engines.prepend(QStringLiteral("speechd"));
    if (engines.isEmpty()) {
        problem_ = QStringLiteral("Синтезатор речи не установлен: нужны speech-dispatcher и espeak-ng.");
        return problem_;
    }
    problem_ = QStringLiteral("Нет русского голоса: нужен espeak-ng с русским языком.");
    for (const QString& name : engines) {
        auto tts = std::make_unique<QTextToSpeech>(name);
        if (tts->state() == QTextToSpeech::Error) {
            problem_ = QStringLiteral("Синтезатор речи не отвечает: ") + tts->errorString();
            continue;
        }
        for (const QLocale& locale : tts->availableLocales()) {
            if (locale.language() != QLocale::Russian) continue;
            tts->setLocale(locale);
            engine_ = std::make_unique<Engine>();
            engine_->tts = std::move(tts);
            problem_.clear();
            return problem_;
        }
    }
#else
    (void)quick;
    looked_ = true;
    problem_ = QStringLiteral("Программа собрана без синтезатора речи.");
#endif
    return problem_;
}

void Speaker::say(const QString& text) {
    if (!problem().isEmpty()) return;
#ifdef QO_HAVE_SPEECH
    engine_->tts->say(text);
#else
    (void)text;
#endif
}

} // namespace qo::platform

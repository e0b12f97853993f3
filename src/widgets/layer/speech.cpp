// Russian speech through the toolkit's speech module. A machine without an engine or without a
// Russian voice is an ordinary one: the program tells the player why and stays silent.
#include "widgets/layer/speech.h"

#include "widgets/layer/encoding.h"
#ifdef QO_HAVE_SPEECH
#include <QLocale>
#include <QTextToSpeech>
#endif

namespace qo {

#ifdef QO_HAVE_SPEECH
struct Speaker::Engine {
    std::unique_ptr<QTextToSpeech> tts;
};
#else
struct Speaker::Engine {};
#endif

Speaker::Speaker() = default;
Speaker::~Speaker() = default;

std::string Speaker::problem(bool quick) {
    if (looked_) return problem_;
#ifdef QO_HAVE_SPEECH
    QStringList engines = QTextToSpeech::availableEngines();
    if (quick && !engines.isEmpty()) return {};
    looked_ = true;
    // The speech dispatcher carries espeak-ng's Russian voice; the other engines Debian packs have none.
    if (engines.removeAll(QStringLiteral("speechd")) > 0) engines.prepend(QStringLiteral("speechd"));
    if (engines.isEmpty()) {
        problem_ = FromQString(
            QStringLiteral("Синтезатор речи не установлен: нужны speech-dispatcher и espeak-ng."));
        return problem_;
    }
    problem_ = FromQString(QStringLiteral("Нет русского голоса: нужен espeak-ng с русским языком."));
    for (const QString& name : engines) {
        auto tts = std::make_unique<QTextToSpeech>(name);
        if (tts->state() == QTextToSpeech::Error) {
            problem_ = FromQString(QStringLiteral("Синтезатор речи не отвечает: ") + tts->errorString());
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
    problem_ = FromQString(QStringLiteral("Программа собрана без синтезатора речи."));
#endif
    return problem_;
}

void Speaker::say(const std::string& textCp1251) {
    if (!problem().empty()) return;
#ifdef QO_HAVE_SPEECH
    engine_->tts->say(ToQString(textCp1251));
#else
    (void)textCp1251;
#endif
}

} // namespace qo

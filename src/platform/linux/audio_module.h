#pragma once
// Inside the Linux side: what the audio module does for the sounds and the voice. The module is a
// library of its own, opened at the first sound or the first look for a voice, so the toolkit's
// multimedia and speech libraries (and the sound server's below them) are not loaded before the
// windows first show. Everything here but `speechEngines` runs on the audio thread.
#include <QObject>
#include <QString>
#include <QStringList>

#include "platform/speech.h"

namespace qo::platform {

struct AudioModule {
    // Whether the module was built with the toolkit's speech module at all.
    bool speechBuilt;
    // The speech engines installed, whatever their languages.
    QStringList (*speechEngines)();
    // A player of one sound at a time, and a sound played on it, cutting off the one before.
    QObject* (*makeSoundPlayer)();
    void (*playSound)(QObject* player, const QString& path);
    // The first of `engines` that speaks Russian, set to it; null, and `problem` says why, when none does.
    QObject* (*startRussianVoice)(const QStringList& engines, SpeechTrouble& problem);
    void (*say)(QObject* voice, const QString& text);
};

// The module, opened once on first need; null when it is not there, and then the program is silent
// and says why the voice is greyed.
const AudioModule* Audio();

} // namespace qo::platform

// The module's one entry. A program that links the module's code itself (the test programs) is
// given it without opening the library.
extern "C" const qo::platform::AudioModule* qo_audio_module();

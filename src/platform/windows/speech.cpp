// Russian speech through the system's speech interface: the first installed voice that speaks
// Russian (language 0x419), among the desktop voices and those of the newer speech platform.
#include "platform/speech.h"

#include <windows.h>
// After windows.h: the speech interface's class and interface ids, defined in this file.
#include <initguid.h>
#include <sapi.h>

namespace qo::platform {
namespace {

// Releases a COM interface when it goes.
template <class T> struct ComPtr {
    T* p = nullptr;
    ~ComPtr() {
        if (p) p->Release();
    }
    T** put() { return &p; }
    T* operator->() const { return p; }
    explicit operator bool() const { return p != nullptr; }
};

const wchar_t* const kVoiceCategories[] = {
    SPCAT_VOICES, L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Speech_OneCore\\Voices"};

// The first voice of a category that matches `attributes` ("Language=419"; nullptr: any voice).
bool FindVoice(const wchar_t* attributes, ISpObjectToken** voice) {
    for (const wchar_t* id : kVoiceCategories) {
        ComPtr<ISpObjectTokenCategory> category;
        if (FAILED(CoCreateInstance(CLSID_SpObjectTokenCategory, nullptr, CLSCTX_ALL,
                                    IID_ISpObjectTokenCategory, reinterpret_cast<void**>(category.put()))))
            return false;
        if (FAILED(category->SetId(id, FALSE))) continue;
        ComPtr<IEnumSpObjectTokens> tokens;
        if (FAILED(category->EnumTokens(attributes, nullptr, tokens.put())) || !tokens) continue;
        ISpObjectToken* token = nullptr;
        if (tokens->Next(1, &token, nullptr) == S_OK && token) {
            if (voice)
                *voice = token;
            else
                token->Release();
            return true;
        }
    }
    return false;
}

} // namespace

struct Speaker::Engine {
    bool comStarted = false;
    ISpVoice* voice = nullptr;
    ~Engine() {
        if (voice) {
            voice->Speak(nullptr, SPF_PURGEBEFORESPEAK, nullptr);
            voice->Release();
        }
        if (comStarted) CoUninitialize();
    }
};

SpeechSystem SystemSpeech() {
    return SpeechSystem::Windows;
}

Speaker::Speaker() = default;
Speaker::~Speaker() = default;

SpeechTrouble Speaker::problem(bool quick) {
    if (looked_) return problem_;
    if (!engine_) {
        engine_ = std::make_unique<Engine>();
        // The toolkit has set up COM on this thread already; this only balances our own use of it.
        const HRESULT started = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        engine_->comStarted = started == S_OK || started == S_FALSE;
    }
    ComPtr<ISpObjectToken> russian;
    if (!FindVoice(L"Language=419", russian.put())) {
        looked_ = true;
        problem_ = {FindVoice(nullptr, nullptr) ? SpeechTrouble::NoRussianVoice : SpeechTrouble::NoEngine,
                    {}};
        return problem_;
    }
    if (quick) return {};
    looked_ = true;
    if (FAILED(CoCreateInstance(CLSID_SpVoice, nullptr, CLSCTX_ALL, IID_ISpVoice,
                                reinterpret_cast<void**>(&engine_->voice))) ||
        FAILED(engine_->voice->SetVoice(russian.p))) {
        problem_ = {SpeechTrouble::NotAnswering, {}};
        return problem_;
    }
    problem_ = {};
    return problem_;
}

void Speaker::say(const QString& text) {
    if (problem().kind != SpeechTrouble::None) return;
    engine_->voice->Speak(reinterpret_cast<const wchar_t*>(text.utf16()),
                          SPF_ASYNC | SPF_PURGEBEFORESPEAK | SPF_IS_NOT_XML, nullptr);
}

} // namespace qo::platform

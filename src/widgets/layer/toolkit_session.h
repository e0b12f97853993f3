#pragma once
// The toolkit's share of one run of the program. It is made right after the application object and
// goes before it, so that nothing the toolkit owns (the sound device, cached fonts and palettes,
// translations) is destroyed after the application it belongs to, from the process's exit
// handlers, where it crashed or hung. While it lives, the toolkit's own windows (question boxes,
// file dialogs) speak the system's language.
#include <QLocale>
#include <memory>
#include <vector>

class QTranslator;

namespace qo {

class ToolkitSession {
public:
    explicit ToolkitSession(const QLocale& locale = QLocale::system());
    ~ToolkitSession();
    ToolkitSession(const ToolkitSession&) = delete;
    ToolkitSession& operator=(const ToolkitSession&) = delete;

    // Whether the toolkit's translations for the locale's language were found and installed.
    bool translated() const { return !translators_.empty(); }

private:
    std::vector<std::unique_ptr<QTranslator>> translators_;
};

// For the end of a run, when everything is written: what is left is the toolkit's own teardown (the
// sound device, the speech engine), which a sound server or speech service that hangs could hold
// up; past `ms` the process ends with `exitCode` without it.
void EndProcessWithin(int ms, int exitCode);

} // namespace qo

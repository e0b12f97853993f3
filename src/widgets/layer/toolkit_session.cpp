#include "widgets/layer/toolkit_session.h"

#include "platform/session.h"
#include "widgets/layer/platform.h"
#include "widgets/layer/style_cache.h"
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace qo {

ToolkitSession::ToolkitSession(const QLocale& locale) {
    // Where the toolkit was installed (Debian: qt6-translations-l10n), else beside the program,
    // where a copy carried to another machine brings its translations along.
    const QString folders[] = {QLibraryInfo::path(QLibraryInfo::TranslationsPath),
                               QCoreApplication::applicationDirPath() + QStringLiteral("/translations")};
    for (const QString& folder : folders) {
        auto t = std::make_unique<QTranslator>();
        if (t->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"), folder) &&
            QCoreApplication::installTranslator(t.get())) {
            translators_.push_back(std::move(t));
            break;
        }
    }
}

ToolkitSession::~ToolkitSession() {
    ReleaseToolkitSound();
    ClearStyleCaches();
    for (const auto& t : translators_)
        QCoreApplication::removeTranslator(t.get());
}

void EndProcessWithin(int ms, int exitCode) {
    platform::EndProcessWithin(ms, exitCode);
}

} // namespace qo

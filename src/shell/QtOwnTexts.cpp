#include "shell/QtOwnTexts.h"
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace durvek {

void useQtOwnTexts(const QString& languageCode)
{
    static QTranslator* installed = nullptr;
    if (installed) {
        QCoreApplication::removeTranslator(installed);
        delete installed;
        installed = nullptr;
    }
    if (languageCode.isEmpty())
        return;
    auto* translator = new QTranslator;
    if (!translator->load(QStringLiteral("qtbase_") + languageCode,
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return;
    }
    QCoreApplication::installTranslator(translator);
    installed = translator;
}

} // namespace durvek

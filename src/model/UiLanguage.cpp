#include "UiLanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

// The compiled translations are resources of the core, so the command-line tool has them too.
const QString TranslationFolder = QStringLiteral(":/i18n");

} // namespace

QStringList UiLanguage::candidates(const QStringList &uiLanguages)
{
    QStringList codes;
    for (QString language : uiLanguages) {
        language.replace(u'-', u'_');
        const QString base = language.section(u'_', 0, 0).toLower();
        if (base == QLatin1String("en") || base == QLatin1String("c") || base == QLatin1String("posix"))
            break;
        for (const QString &code : {language, base}) {
            if (!code.isEmpty() && !codes.contains(code))
                codes.append(code);
        }
    }
    return codes;
}

QString UiLanguage::install()
{
    for (const QString &code : candidates(QLocale::system().uiLanguages())) {
        auto *translator = new QTranslator(QCoreApplication::instance());
        if (!translator->load(QStringLiteral("quillmarsh_") + code, TranslationFolder)) {
            delete translator;
            continue;
        }
        QCoreApplication::installTranslator(translator);
        // Qt's own texts (standard buttons, file dialogs) from the system's Qt translations, when
        // installed; without them those texts stay English and ours are still translated.
        auto *qtTranslator = new QTranslator(QCoreApplication::instance());
        if (qtTranslator->load(QStringLiteral("qtbase_") + code,
                               QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QCoreApplication::installTranslator(qtTranslator);
        else
            delete qtTranslator;
        return code;
    }
    installEnglishPlurals();
    return {};
}

void UiLanguage::installEnglishPlurals()
{
    static QTranslator *installed = nullptr;
    if (installed || !QCoreApplication::instance())
        return;
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QStringLiteral("quillmarsh_en"), TranslationFolder)) {
        delete translator;
        return;
    }
    QCoreApplication::installTranslator(translator);
    installed = translator;
}

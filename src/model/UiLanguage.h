#pragma once

#include <QStringList>

// Chooses the language of the texts from the system's UI languages (LANGUAGE, then LC_MESSAGES) and
// installs the application's translation with Qt's own, so that standard dialogs match.
class UiLanguage
{
public:
    // Installs the translators for the first preferred language that the application speaks;
    // English (the language of the source texts) or an unknown list leaves the texts as they are.
    // Returns the language chosen ("de"), or an empty string for English.
    static QString install();
    // The singular and plural of the English texts that count ("1 day", "2 days"): the source
    // texts say "%n day(s)". Installed by install() for English; safe to call again.
    static void installEnglishPlurals();

    // The language codes to try, best first, each followed by its language without the territory:
    // "de-AT" gives "de_AT", "de". Stops at English, the language of the source texts.
    static QStringList candidates(const QStringList &uiLanguages);
};

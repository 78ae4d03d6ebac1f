#pragma once

#include "DatabaseBuilder.h"
#include "TestData.h"

#include <QDir>
#include <QFile>
#include <QTest>

// The database behind the publishing golden files: the None category with a published and a
// blocked link, three categories with published links (one of them also holding a New and a
// Negotiating link), one whose links are all blocked, and an empty one.
namespace PublishSample {

inline LinkFields fields(const QString &title, LinkStatus status, const QString &url,
                         const QString &description)
{
    LinkFields f;
    f.title = title;
    f.URL = url;
    f.description = description;
    f.status = status;
    f.type = LinkTypeSent;
    f.lastStatusChangedOn = QDate(2004, 3, 5);
    return f;
}

inline void build(DatabaseBuilder &db)
{
    SiteProfileTexts profile;
    profile.title = QStringLiteral("Marsh & Meadow <Garden>");
    profile.URL = QStringLiteral("http://www.marsh-meadow.example/");
    db.store().setSiteProfile(profile);
    db.store().setExportNewLinks(true, false);

    db.defaultCategory()
        .link(fields("Alder Nursery", LinkStatusApproved, "http://alder.example/",
                     "Trees & shrubs <wholesale>"))
        .link(fields("Bramble Blocked", LinkStatusBlocked, "http://bramble.example/", "Never shown"));
    db.category("Birds & Bees", "birds")
        .link(fields("Kestrel Watch", LinkStatusApproved, "http://kestrel.example/?a=1&b=2", "Falcons"))
        .link(fields("Heron Hall", LinkStatusNew, "http://heron.example/", ""))
        .link(fields("Nightjar Notes", LinkStatusNegotiating, "http://nightjar.example/", "Not yet agreed"));
    db.category("Ferns", "ferns")
        .link(fields("Bracken Books", LinkStatusApproved, "http://bracken.example/", "Field guides"));
    db.category("Ponds", "ponds")
        .link(fields("Duckweed Daily", LinkStatusApproved, "http://duckweed.example/", "Water \"gardens\""));
    db.category("Quarantine", "quarantine")
        .link(fields("Spam Farm", LinkStatusBlocked, "http://spam.example/", "Blocked"));
    db.category("Empty Shelf", "empty");
}

inline QString goldenPath(const QString &name)
{
    return QStringLiteral(QM_TEST_DATA_DIR "/publish/") + name;
}

// Compares bytes with a golden file; QM_UPDATE_GOLDEN=1 rewrites the file instead.
inline bool matchesGolden(const QByteArray &actual, const QString &name)
{
    QFile file(goldenPath(name));
    if (qEnvironmentVariableIntValue("QM_UPDATE_GOLDEN") == 1) {
        if (!file.open(QIODevice::WriteOnly))
            return false;
        file.write(actual);
        return true;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning("missing golden file %s", qPrintable(name));
        return false;
    }
    const QByteArray expected = file.readAll();
    if (expected == actual)
        return true;
    qsizetype at = 0;
    while (at < expected.size() && at < actual.size() && expected.at(at) == actual.at(at))
        ++at;
    qWarning("%s differs at byte %lld:\nexpected: %s\nactual:   %s", qPrintable(name),
             static_cast<long long>(at), expected.mid(at, 80).toPercentEncoding(" \t/<>=\"").constData(),
             actual.mid(at, 80).toPercentEncoding(" \t/<>=\"").constData());
    return false;
}

} // namespace PublishSample

#pragma once

#include "history/LinkChange.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <optional>

// What the link list shows of a link's verification history: how its latest check found the link and
// the change its checks stand in now.
struct LinkHistoryFacts
{
    bool checked = false; // the history holds a check of the link
    bool addressFound = false;
    bool followed = false;
    QString followedText; // "Yes", "No (nofollow)"...; empty when the link was not found
    QString anchorText;
    std::optional<LinkChange::Kind> change;
    QDateTime changedOn;
};

using LinkHistoryFactsByID = QHash<QString, LinkHistoryFacts>;

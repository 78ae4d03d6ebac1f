#pragma once

#include "history/LinkChange.h"

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
    // "Yes", "No (nofollow)"...; empty when the link was not found. Links with the same words share
    // one string: a list of tens of thousands of links has a handful of them.
    QString followedText;
    QString anchorText; // shared the same way
    std::optional<LinkChange::Kind> change;
    qint64 changedOn = 0; // seconds since the epoch, when there is a change
};

using LinkHistoryFactsByID = QHash<QString, LinkHistoryFacts>;

#pragma once

#include "model/Codes.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

class Link;
struct VerificationDetails;

// One completed check of one link, as the history keeps it.
struct CheckRecord
{
    QString linkID;
    QString title;       // the link's title when it was checked
    QDateTime checkedOn; // to the second
    VerificationResult result = VerificationNotVerified;
    int httpStatus = 0; // the links page's status; 0 when none came
    QString finalURL;   // the links page after redirects
    bool addressFound = false;
    bool inAnchor = false;
    bool followed = false; // a search engine follows the link: in an <a> without nofollow, sponsored or ugc
    QStringList rel;
    QString anchorText;
    bool noindex = false;

    // The record of a check that has just ended.
    static CheckRecord fromCheck(const Link &link, VerificationResult result,
                                 const VerificationDetails &details, const QDateTime &when);
};

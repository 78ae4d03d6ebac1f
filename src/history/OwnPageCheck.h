#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QUrl>

class CollectionManager;

// Checks the user's own published links page as a partner checks it: each page the layout makes is
// read as a browser builds it, and every partner it should carry (the export's rules) that is not
// there, is hidden or cannot be followed is listed, as is every partner it carries that it should
// not (Blocked, or not to be published). Plain values only, so the judging runs on any thread.
namespace OwnPageCheck {

enum class Problem
{
    Missing,
    Hidden,
    Nofollow,
    Unexpected
};
// "missing", "hidden", "nofollow", "unexpected": the form of the JSON and the history.
QString problemKey(Problem problem);
// For people: "Missing from the page" and so on.
QString problemText(Problem problem);

// One partner as the check needs it, copied from the database.
struct Partner
{
    QString linkID;
    QString title;
    QString URL;
    bool published = false; // the export puts it on a page
    int page = -1;          // index of the page it belongs on when published
};

// One page of the user's site the layout makes, and what came back for it.
struct Page
{
    static Page at(const QUrl &address)
    {
        Page page;
        page.url = address;
        return page;
    }

    QUrl url;
    // Filled by the fetch:
    bool loaded = false;
    QString error; // why it could not be read
    QString text;
    QUrl finalURL;
    QByteArray robotsTag;
};

struct Finding
{
    QString linkID;
    QString title;
    Problem problem = Problem::Missing;
    QString page;
};

struct Plan
{
    QList<Page> pages;
    QList<Partner> partners;
};

struct Result
{
    QDateTime checkedOn;
    QList<Page> pages; // texts dropped
    QList<Finding> findings;
    bool complete() const; // every page could be read
};

// The pages to read and the partners to look for. Empty pages, with `error` set, when the site
// profile has no links page address to read.
Plan planFor(const CollectionManager &collectionManager, QString *error = nullptr);
// Judges the fetched pages. A page that could not be read says nothing about its partners.
QList<Finding> findingsFor(const Plan &plan);

// The form links are compared in: scheme and host in lower case, "www." and a default port
// dropped, the path without a trailing "/".
QString comparableAddress(const QUrl &url);

} // namespace OwnPageCheck

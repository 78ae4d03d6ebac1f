#pragma once

#include "PageAnalysis.h"

#include <QByteArray>
#include <QString>
#include <QUrl>
#include <atomic>

// A fetched links page to keep and to read, in plain values, so that the reading can run on any
// thread: the bytes are kept in the private temporary folder, decoded by their charset and analysed
// for links to the own site. Parsing stays within the analyzer's limits of time and memory.
struct PageAnalysisJob
{
    QByteArray body;
    QByteArray contentType; // the Content-Type header; empty to decide by the bytes alone
    QUrl pageURL;           // the page's final address
    QByteArray robotsTag;   // the X-Robots-Tag header
    QString ownURL;
    QString keepAs;      // a file name in the temporary folder; empty when the page is not kept
    bool analyse = true; // false when only the keeping is wanted

    // Does the work, unless `cancelled` is set before it begins; a parse under way gives up once it
    // is set, and the result then says nothing.
    PageAnalysis run(const std::atomic<bool> &cancelled) const;
};

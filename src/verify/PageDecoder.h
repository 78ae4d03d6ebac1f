#pragma once

#include <QByteArray>
#include <QString>

// Turns the bytes of a fetched page into text as a browser does: a byte-order mark decides first,
// then the charset of the Content-Type header, then a <meta> declaration near the start of the page.
// A page that declares nothing is read as UTF-8 when its bytes are valid UTF-8 (the guess browsers
// are allowed to make, and right for nearly every such page today), else as windows-1252.
class PageDecoder
{
public:
    // The name of the encoding the page is read in (see WebEncodings).
    static QByteArray encodingOf(const QByteArray &bytes, const QByteArray &contentType = QByteArray());
    static QString decode(const QByteArray &bytes, const QByteArray &contentType = QByteArray());
};

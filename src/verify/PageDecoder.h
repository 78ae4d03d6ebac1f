#pragma once

#include <QByteArray>
#include <QString>

// Turns the bytes of a fetched page into text for the address search. A UTF-16 byte-order mark
// means UTF-16 in its byte order; otherwise the bytes are UTF-8 when they are valid UTF-8 and
// Latin-1 when not, which keeps every ASCII address intact whatever the page's real encoding.
class PageDecoder
{
public:
    static QString decode(const QByteArray &bytes);
};

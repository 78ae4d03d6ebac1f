#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Looks for the encoding a page declares in its markup (<meta charset> or <meta http-equiv=
// "Content-Type" content="...; charset=...">) the way browsers do before they parse the page: a
// byte scan of its first 1,024 bytes that skips comments and the attributes of other tags.
class CharsetPrescan
{
public:
    static constexpr qsizetype ScannedBytes = 1024;

    // The encoding's name (see WebEncodings), or empty when the scanned bytes declare none that
    // browsers know. A declared UTF-16 is read as UTF-8, as browsers do: the bytes just scanned as
    // ASCII cannot be UTF-16.
    static QByteArray encodingOf(QByteArrayView page);

    // The encoding named by a charset parameter in a Content-Type value ("text/html; charset=koi8-r");
    // empty when there is none or its label is unknown.
    static QByteArray charsetParameter(QByteArrayView contentType);
};

#pragma once

#include <QMap>
#include <QString>
#include <QUrl>

// The help pages compiled into the application (":/help/*.html") and the anchors they hold.
// Each topic of the program names an anchor ("QuillmarshVerify"); the book knows which page holds it.
namespace HelpBook {

// The page that opens the book.
QUrl contentsUrl();
// The page holding the anchor, scrolled to it; the contents page for an unknown anchor.
QUrl urlForAnchor(const QString &anchor);
// Every anchor of the book with the page that holds it ("QuillmarshVerify" → "qrc:/help/verify.html").
const QMap<QString, QUrl> &anchors();

} // namespace HelpBook

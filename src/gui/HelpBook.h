#pragma once

#include <QMap>
#include <QString>
#include <QUrl>
#include <functional>

class QWidget;

// The help pages compiled into the application (":/help/*.html") and the anchors they hold.
// Each topic of the program names an anchor ("QuillmarshVerify"); the book knows which page holds it.
namespace HelpBook {

// The page that opens the book.
QUrl contentsUrl();
// The page holding the anchor, scrolled to it; the contents page for an unknown anchor.
QUrl urlForAnchor(const QString &anchor);
// Every anchor of the book with the page that holds it ("QuillmarshVerify" → "qrc:/help/verify.html").
const QMap<QString, QUrl> &anchors();

// Shows the book at the anchor for the window that asked (a dialog's Help button). The application
// installs the viewer at start-up; without one (the command line, most tests) nothing is shown.
using Viewer = std::function<void(const QString &anchor, QWidget *requester)>;
void setViewer(Viewer viewer);
void showHelp(const QString &anchor, QWidget *requester = nullptr);

} // namespace HelpBook

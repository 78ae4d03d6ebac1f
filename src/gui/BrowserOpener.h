#pragma once

class QUrl;
class QWidget;

// Opens a page in the user's web browser. When no browser is set up or it cannot be started, an
// alert says what failed and offers Copy Address, so the page can still be opened by hand.
namespace BrowserOpener {

// True when the browser took the address.
bool open(QWidget *parent, const QUrl &url);

} // namespace BrowserOpener

#include "BrowserOpener.h"

#include "MessageBox.h"
#include "model/UrlOpener.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QUrl>

namespace BrowserOpener {

namespace {
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(BrowserOpener)
};
} // namespace

bool open(QWidget *parent, const QUrl &url)
{
    UrlOpener &opener = UrlOpener::instance();
    if (opener.openUrl(url))
        return true;
    const QString address = url.isLocalFile() ? url.toLocalFile() : url.toDisplayString();
    QString reason = opener.errorString();
    if (reason.isEmpty())
        reason = Tr::tr("The system did not take the address.");
    const int answer = MessageBox::alert(
        parent, Tr::tr("The page could not be opened in your web browser."),
        reason + u' ' +
            Tr::tr("Set up a default web browser in your desktop's settings, or copy the address \"%1\" "
                   "and open it by hand.")
                .arg(address),
        {Tr::tr("OK"), Tr::tr("Copy Address")}, MessageBox::Warning, 0);
    if (answer == 1)
        QGuiApplication::clipboard()->setText(address);
    return false;
}

} // namespace BrowserOpener

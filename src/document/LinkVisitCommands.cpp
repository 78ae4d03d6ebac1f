#include "LinkVisitCommands.h"

#include "DetailsView.h"
#include "DocumentMenus.h"
#include "MyDocument.h"
#include "gui/BrowserOpener.h"
#include "gui/MessageBox.h"

#include <QAction>
#include <QUrl>

LinkVisitCommands::LinkVisitCommands(MyDocument *document) : DocumentCommandArea(document)
{
    const DocumentMenus &m = menus();
    connect(m.action(ActionId::VisitLinkWebsite), &QAction::triggered, this,
            &LinkVisitCommands::visitLinkWebsite);
    connect(m.action(ActionId::VisitLinkPartnerWebsite), &QAction::triggered, this,
            &LinkVisitCommands::visitLinkPartnerWebsite);
    connect(document->detailsView(), &DetailsView::testMainPageURLClicked, this,
            &LinkVisitCommands::visitLinkWebsite);
    connect(document->detailsView(), &DetailsView::testLinksPageURLClicked, this,
            &LinkVisitCommands::visitLinkPartnerWebsite);
}

void LinkVisitCommands::validateMenuItems()
{
    const bool oneLink = document()->selectedLink() != nullptr;
    for (QAction *action :
         {menus().action(ActionId::VisitLinkWebsite), menus().action(ActionId::VisitLinkPartnerWebsite)})
        action->setEnabled(oneLink);
}

void LinkVisitCommands::visitURL(const QString &text, const QString &title, const QString &message)
{
    QString address = text.trimmed();
    if (!address.contains(QLatin1String("://")))
        address = QStringLiteral("http://") + address;
    const QUrl url(address, QUrl::StrictMode);
    // Only web pages: an address from an imported database must not launch local files.
    const bool web = url.isValid() && !url.host().isEmpty() &&
                     (url.scheme().compare(QLatin1String("http"), Qt::CaseInsensitive) == 0 ||
                      url.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) == 0);
    if (!web)
        MessageBox::alert(document(), title, message.arg(text));
    else
        BrowserOpener::open(document(), url);
}

void LinkVisitCommands::visitLinkWebsite()
{
    if (const Link *link = document()->selectedLink()) {
        visitURL(link->URL(), tr("The URL of this link is not valid."),
                 tr("The URL \"%1\" is not valid. The link's URL can be changed in the Edit Link dialog."));
    }
}

void LinkVisitCommands::visitLinkPartnerWebsite()
{
    if (const Link *link = document()->selectedLink()) {
        visitURL(
            link->counterpartURL(), tr("The partner site URL of this link is not valid."),
            tr("The URL \"%1\" is not valid. The link's partner site URL can be changed in the Edit Link "
               "dialog."));
    }
}

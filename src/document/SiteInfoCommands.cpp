#include "SiteInfoCommands.h"

#include "DocumentMenus.h"
#include "MyDocument.h"
#include "publish/ui/SiteInfoDialogController.h"

#include <QAction>

SiteInfoCommands::SiteInfoCommands(MyDocument *document) : DocumentCommandArea(document)
{
    connect(menus().action(ActionId::EditSiteInfo), &QAction::triggered, this,
            &SiteInfoCommands::editSiteInfo);
}

void SiteInfoCommands::editSiteInfo()
{
    if (!m_siteInfoDialog) {
        m_siteInfoDialog = new SiteInfoDialogController(document());
        connect(m_siteInfoDialog, &QDialog::finished, this, &SiteInfoCommands::editSiteInfoSheetDidEnd);
    }
    m_siteInfoDialog->initializeFields(collectionManager().selfInfo());
    m_siteInfoDialog->setFirstTimeMode(!document()->document()->hasSiteProfile());
    m_siteInfoDialog->open();
}

void SiteInfoCommands::editSiteInfoSheetDidEnd(int returnCode)
{
    Document *file = document()->document();
    if (returnCode == 1) {
        perform(tr("Edit Site Info"), [this, file](DocumentChange &) {
            collectionManager().editSiteInfoFromSiteInfo(m_siteInfoDialog->siteInfo());
            file->setHasSiteProfile(true);
            return true;
        });
    } else if (!file->hasSiteProfile()) {
        // A database whose profile was never set up is given up.
        file->setHasSiteProfile(true);
        document()->close();
    }
}

#pragma once

#include "model/SelfInfo.h"
#include "publish/SiteProfileForm.h"

#include <QDialog>
#include <memory>

class QPushButton;

namespace Ui {
class SiteInfoDialog;
}

// The site profile sheet of an open database. Shown window-modal on the document window with
// open(); it ends with 1 when the user confirmed checked values, which siteInfo() then holds.
class SiteInfoDialogController : public QDialog
{
    Q_OBJECT

public:
    explicit SiteInfoDialogController(QWidget *parent);
    ~SiteInfoDialogController() override;

    // Fills the eight fields from the profile and selects the title.
    void initializeFields(const SelfInfo &siteInfo);
    // For a database whose profile was never confirmed: cancelling then closes the database, and the
    // Cancel button says so.
    void setFirstTimeMode(bool firstTimeMode = true);
    bool firstTimeMode() const { return m_firstTimeMode; }

    // The profile given to initializeFields with the confirmed texts (both addresses completed).
    SelfInfo siteInfo() const { return m_siteInfo; }
    // The texts as the fields hold them.
    SiteProfileTexts texts() const;
    QWidget *fieldWidget(SiteProfileForm::Field field) const;

public slots:
    void confirm();
    void cancel();

private slots:
    void URLGo();
    void linksPageURLGo();
    void doHelp();

private:
    void setTexts(const SiteProfileTexts &texts);
    void extractSiteInfo();

    std::unique_ptr<Ui::SiteInfoDialog> m_ui;
    QPushButton *m_cancelButton = nullptr;
    QString m_cancelText;
    SelfInfo m_siteInfo;
    bool m_firstTimeMode = false;
};

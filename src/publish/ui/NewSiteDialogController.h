#pragma once

#include "model/SelfInfo.h"
#include "publish/SiteProfileForm.h"

#include <QDialog>
#include <memory>

class QPushButton;
class QWidget;

namespace Ui {
class NewSiteDialog;
}

// The new-database assistant: five steps that gather the site profile and the links page layout
// before a new database is made. It runs application-modal; each step checks its fields before
// the next one is shown, and the window takes the height of the step it shows.
class NewSiteDialogController : public QDialog
{
    Q_OBJECT

public:
    static constexpr int StepCount = 5;

    explicit NewSiteDialogController(QWidget *parent = nullptr);
    ~NewSiteDialogController() override;

    // Step 1, empty texts, both addresses "http://", the single-page layout.
    void initializeFields();

    int currentStep() const { return m_currentStep; }
    bool userConfirmed() const { return m_userConfirmed; }
    QString title() const;
    QString description() const;
    QString keywords() const;
    QString mainPageURL() const;  // completed with "http://" when it has no "://"
    QString linksPageURL() const; // the same
    QString contactFirstName() const;
    QString contactLastName() const;
    QString contactEmail() const;
    bool singlePageLayout() const;
    // All eight texts as the fields hold them.
    SiteProfileTexts texts() const;

    // The field of the form that edits `field` (for focus and tests).
    QWidget *fieldWidget(SiteProfileForm::Field field) const;

public slots:
    void confirmStep();  // the Continue (Create on the last step) button
    void previousStep(); // the Back button
    void cancel();

private slots:
    void testMainPageURL();
    void testLinksPageURL();
    void doHelp();

private:
    void setCurrentStep(int step);
    void setTexts(const SiteProfileTexts &texts);
    void focusField(std::optional<SiteProfileForm::Field> field);

    std::unique_ptr<Ui::NewSiteDialog> m_ui;
    QPushButton *m_backButton = nullptr;
    QPushButton *m_nextButton = nullptr;
    int m_currentStep = 1;
    bool m_userConfirmed = false;
};

#include "PreferencesForm.h"

#include "model/Preferences.h"

#include <QtGlobal>

namespace {

int itemIndex(int value, int count, int fallback)
{
    return value >= 0 && value < count ? value : fallback;
}

} // namespace

PreferencesForm PreferencesForm::current()
{
    PreferencesForm form;
    form.autoSaveDocuments = Preferences::boolValue(Preferences::AutoSaveDocuments);
    form.autoSaveInterval =
        qBound(MinimumAutoSaveInterval, Preferences::intValue(Preferences::AutoSaveInterval),
               MaximumAutoSaveInterval);
    form.createBackupFiles = Preferences::boolValue(Preferences::CreateBackupFiles);
    form.emailEncoding = itemIndex(Preferences::intValue(Preferences::EmailEncoding), EmailEncodingCount, 1);
    form.fileExportEncoding =
        itemIndex(Preferences::intValue(Preferences::FileExportEncoding), FileExportEncodingCount, 1);
    form.startupAction = itemIndex(Preferences::intValue(Preferences::StartupAction), StartupActionCount, 0);
    form.showNewSiteCreatedAssistant = Preferences::boolValue(Preferences::ShowNewSiteCreatedMessage);
    form.autoVerifyDays =
        qBound(0, Preferences::intValue(Preferences::AutoVerifyDays), MaximumAutoVerifyDays);
    const VerificationLimits limits = VerificationLimits::fromPreferences();
    form.verificationConcurrency = limits.concurrency;
    form.verificationPerHost = limits.perHost;
    const CheckSettings checks = CheckSettings::fromPreferences();
    form.confirmLossDelay = checks.confirmDelayMs / 1000;
    form.unreachableAlertDays = CheckSettings::unreachableAlertDaysFromPreferences();
    form.robotsUserAgent = checks.robotsUserAgent;
    form.movedSearchPages = checks.movedSearchPages;
    form.crowdedPageLinks = checks.crowdedPageLinks;
    return form;
}

void PreferencesForm::write() const
{
    Preferences::setValue(Preferences::AutoSaveDocuments, autoSaveDocuments);
    Preferences::setValue(Preferences::AutoSaveInterval, autoSaveInterval);
    Preferences::setValue(Preferences::CreateBackupFiles, createBackupFiles);
    Preferences::setValue(Preferences::EmailEncoding, emailEncoding);
    Preferences::setValue(Preferences::FileExportEncoding, fileExportEncoding);
    Preferences::setValue(Preferences::StartupAction, startupAction);
    Preferences::setValue(Preferences::ShowNewSiteCreatedMessage, showNewSiteCreatedAssistant);
    Preferences::setValue(Preferences::AutoVerifyDays, autoVerifyDays);
    Preferences::setValue(Preferences::VerificationConcurrency, verificationConcurrency);
    Preferences::setValue(Preferences::VerificationPerHost, verificationPerHost);
    Preferences::setValue(Preferences::ConfirmLossDelay, confirmLossDelay);
    Preferences::setValue(Preferences::UnreachableAlertDays, unreachableAlertDays);
    Preferences::setValue(Preferences::RobotsUserAgent, robotsUserAgent.trimmed());
    Preferences::setValue(Preferences::MovedSearchPages, movedSearchPages);
    Preferences::setValue(Preferences::CrowdedPageLinks, crowdedPageLinks);
}

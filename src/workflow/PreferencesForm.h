#pragma once

#include "model/CheckSettings.h"
#include "model/VerificationLimits.h"

#include <QString>

// The preferences the preferences dialog edits, read from and written to the store as one
// set. No widgets: the dialog shows these values and hands them back.
struct PreferencesForm
{
    static constexpr int MinimumAutoSaveInterval = 1;
    static constexpr int MaximumAutoSaveInterval = 999;
    static constexpr int MaximumAutoVerifyDays = 365; // 0: links are never checked by themselves
    static constexpr int EmailEncodingCount = 2;      // UTF-8, Mac OS Roman
    static constexpr int FileExportEncodingCount = 4; // UTF-16, Mac OS Roman, ISO Latin 1, UTF-8
    static constexpr int StartupActionCount = 3;      // last database, open panel, welcome window

    bool autoSaveDocuments = false;
    int autoSaveInterval = 5;
    bool createBackupFiles = false;
    int emailEncoding = 0;
    int fileExportEncoding = 3;
    int startupAction = 2;
    bool showNewSiteCreatedAssistant = true;
    int autoVerifyDays = 0;
    int verificationConcurrency = VerificationLimits::DefaultConcurrency;
    int verificationPerHost = VerificationLimits::DefaultPerHost;
    int confirmLossDelay = CheckSettings::DefaultConfirmDelaySeconds;
    int unreachableAlertDays = CheckSettings::DefaultUnreachableAlertDays;
    QString robotsUserAgent = CheckSettings::DefaultRobotsUserAgent;
    int movedSearchPages = CheckSettings::DefaultMovedSearchPages;
    int crowdedPageLinks = CheckSettings::DefaultCrowdedPageLinks;

    // The current values of the store, each pop-up value brought into its item range the way its
    // readers understand an unknown value (an unknown encoding is Mac OS Roman, an unknown start-up
    // action reopens the last database) and the numbers into the ranges the dialog offers.
    static PreferencesForm current();
    // Writes all its keys.
    void write() const;

    // What the welcome window stores in "StartupAction" when it closes.
    static int startupActionForWelcomeWindow(bool showAtStartup) { return showAtStartup ? 2 : 0; }

    bool operator==(const PreferencesForm &) const = default;
};

#pragma once

#include "DocumentCommandArea.h"
#include "history/HistoryRecorder.h"

#include <QStringList>
#include <optional>

class VerificationDialogController;

// Verify Link and Verify All Links: the verification sheet (made on first use and kept), the alert
// when no link can be verified, and saving a run's results through the store.
class VerificationCommands : public DocumentCommandArea
{
    Q_OBJECT

public:
    explicit VerificationCommands(MyDocument *document);

    void validateMenuItems() override;

    void verifyLink();
    void verifyAllLinks();
    // The sheet for these links (ticked) among all verifiable ones, or for every link without a
    // list. False, after the alert, when the database has no link to verify.
    bool verifyLinkWithIDs(const std::optional<QStringList> &ids);
    void verifyLinkSheetDidEnd(int returnCode);

    VerificationDialogController *verificationDialog() const { return m_verificationDialog; }

signals:
    // The sheet was made; its runs record through this recorder.
    void recorderMade(HistoryRecorder *recorder);

private:
    VerificationDialogController *m_verificationDialog = nullptr;
};

#pragma once

#include "LinkInfo.h"

#include <QString>
#include <vector>

// What the verification sheet says about a run beyond the result codes, without widgets: the
// progress line, the details of a finished check, and the mark for a link that was found but
// helps the user less than it seems (not followed, or on a page search engines skip).
namespace VerificationSheetForm {

// Where the sheet stands: choosing the rows, checking them, or the run has ended.
enum class SheetState
{
    Choosing,
    Running,
    Ended
};
// "Verify 3 Links" while choosing, "Save Result" once ended.
QString verifyButtonTitle(SheetState state, int ticked);
// Starts a run with a tick, and saves an ended one; does nothing while the checks run.
bool verifyButtonEnabled(SheetState state, int ticked);
// "Stop" while the checks run, else "Cancel".
QString cancelButtonTitle(SheetState state);

// "3 of 10 checked".
QString progressText(int checked, int total);

// A found link that search engines do not follow (nofollow, sponsored, ugc, or the page says
// nofollow), on a page marked noindex or naming another page as canonical. The result code stays
// "Verified successfully."; the sheet only adds a mark.
bool foundWithReservations(const LinkInfo &row);
// Why the row carries that mark ("the page says noindex"), or empty.
QString reservations(const LinkInfo &row);

// What the check learned, for the row's tool tip and the line under the table: each step's HTTP
// status and final address, why a fetch failed, and the analysis notes. Empty for a row not
// checked in this run.
QString detailsLine(const LinkInfo &row);

// What the check means for the link in plain words, with what to do ("Check refused by the site
// (Cloudflare): open the links page in your browser..."); empty for a row not checked in this run.
QString outcomeLine(const LinkInfo &row);

// The status image's words for screen readers: the result text, the outcome of a check that could
// not judge the link, and any reservations.
QString statusText(const LinkInfo &row);

// The row's tool tip: the partner's address, the result and the details line, one per line.
QString toolTip(const LinkInfo &row);

// The counts of the line beside the run's buttons.
struct Summary
{
    int verified = 0;
    int notFound = 0;
    int notLoaded = 0; // the links page could not be loaded, or has no address
    int notAnswering = 0;
    int notChecked = 0; // ticked, but the run was stopped before their turn
};
// Counts the ticked rows by result; `stopped` counts the rows without a result as not checked.
Summary summary(const std::vector<LinkInfo> &rows, bool stopped);
// "7 verified, 1 not found, 1 not loaded, 1 not answering", with ", 2 not checked" when there are.
QString summaryText(const Summary &summary);

} // namespace VerificationSheetForm

#include "VerificationSheetForm.h"

#include "model/Link.h"

#include <QCoreApplication>
#include <QStringList>

namespace VerificationSheetForm {

namespace {
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(VerificationSheetForm)
};

QString step(const QString &name, int status, const QUrl &finalURL)
{
    QString text = status > 0 ? Tr::tr("%1: HTTP %2").arg(name).arg(status) : name;
    if (!finalURL.isEmpty())
        text += Tr::tr(" at %1").arg(finalURL.toDisplayString());
    return text;
}
} // namespace

QString verifyButtonTitle(SheetState state, int ticked)
{
    if (state == SheetState::Ended)
        return Tr::tr("Save Result");
    if (ticked == 0)
        return Tr::tr("Verify Links");
    const QString format = ticked == 1 ? Tr::tr("Verify %d Link") : Tr::tr("Verify %d Links");
    return QString(format).replace(QLatin1String("%d"), QString::number(ticked));
}

bool verifyButtonEnabled(SheetState state, int ticked)
{
    switch (state) {
    case SheetState::Choosing:
        return ticked > 0;
    case SheetState::Running:
        return false;
    case SheetState::Ended:
        return true;
    }
    return false;
}

QString cancelButtonTitle(SheetState state)
{
    return state == SheetState::Running ? Tr::tr("Stop") : Tr::tr("Cancel");
}

QString progressText(int checked, int total)
{
    return Tr::tr("%1 of %2 checked").arg(checked).arg(total);
}

bool foundWithReservations(const LinkInfo &row)
{
    if (row.result() != VerificationSucceeded || !row.verified())
        return false;
    const VerificationDetails &details = row.details();
    return !details.followed || details.noindex || details.canonicalElsewhere() || details.crowded();
}

QString reservations(const LinkInfo &row)
{
    if (!foundWithReservations(row))
        return QString();
    return row.details().analysisNotes(VerificationDetails::Notes::WarningsOnly).join(QStringLiteral("; "));
}

QString detailsLine(const LinkInfo &row)
{
    const VerificationResult result = row.result();
    if (!row.verified() || result == VerificationInProgress || result == VerificationNotVerified)
        return QString();
    const VerificationDetails &details = row.details();
    QStringList parts;
    if (details.siteStatus > 0 || !details.siteFinalURL.isEmpty())
        parts << step(Tr::tr("site"), details.siteStatus, details.siteFinalURL);
    if (details.pageStatus > 0 || !details.pageFinalURL.isEmpty())
        parts << step(Tr::tr("links page"), details.pageStatus, details.pageFinalURL);
    if (!details.failure.isEmpty())
        parts << details.failure;
    if (details.retries > 0)
        parts << Tr::tr("retried %n times", nullptr, details.retries);
    if (details.pageTruncated)
        parts << Tr::tr("only the beginning of the page searched");
    parts << details.redirectNotes();
    parts << details.confirmationNotes();
    parts << details.analysisNotes();
    return parts.join(QStringLiteral("; "));
}

QString outcomeLine(const LinkInfo &row)
{
    const VerificationResult result = row.result();
    if (!row.verified() || result == VerificationInProgress || result == VerificationNotVerified ||
        result == VerificationMarkedVerified)
        return QString();
    const VerificationDetails &details = row.details();
    QString line = CheckOutcomes::text(details.outcome);
    if (details.outcome == CheckOutcome::NotLinked && !details.movedTo.isEmpty())
        return Tr::tr("Link found on another page of the site: make that page the links page (Use This "
                      "Page in the Lost Links window)");
    if (details.outcome == CheckOutcome::NotLinked && details.confirmed)
        line = Tr::tr("Link missing on a second look too");
    else if (details.outcome == CheckOutcome::Blocked && !details.challengeService.isEmpty())
        line = Tr::tr("%1 (%2)").arg(line, details.challengeService);
    // Nothing to add to a link that is there.
    if (details.outcome == CheckOutcome::Linked)
        return line;
    return Tr::tr("%1: %2").arg(line, CheckOutcomes::advice(details.outcome));
}

QString statusText(const LinkInfo &row)
{
    if (row.result() == VerificationInProgress)
        return Tr::tr("Checking...");
    QString text = Codes::verificationRunText(row.result());
    // A site that is down or refuses the check is said apart from a missing link.
    if (row.verified() && CheckOutcomes::isOutage(row.details().outcome))
        text = Tr::tr("%1 (%2)").arg(text, CheckOutcomes::text(row.details().outcome));
    const QString marks = reservations(row);
    if (marks.isEmpty())
        return text;
    return Tr::tr("%1 (%2)").arg(text, marks);
}

QString toolTip(const LinkInfo &row)
{
    QStringList lines;
    if (row.link())
        lines << row.link()->URL();
    // The result in words; the details line names any reservations.
    const QString status =
        row.result() == VerificationInProgress ? statusText(row) : Codes::verificationRunText(row.result());
    if (!status.isEmpty())
        lines << status;
    // What the check means for the link, in plain words, before the technical details.
    const QString outcome = outcomeLine(row);
    if (!outcome.isEmpty() && row.details().outcome != CheckOutcome::Linked)
        lines << outcome;
    const QString details = detailsLine(row);
    if (!details.isEmpty())
        lines << details;
    return lines.join(QLatin1Char('\n'));
}

Summary summary(const std::vector<LinkInfo> &rows, bool stopped)
{
    Summary counts;
    for (const LinkInfo &row : rows) {
        if (!row.selected())
            continue;
        switch (row.result()) {
        case VerificationSucceeded:
            ++counts.verified;
            break;
        case VerificationLinkNotFound:
            ++counts.notFound;
            break;
        case VerificationLinksPageNotLoaded:
        case VerificationNoLinksPageURL:
            ++counts.notLoaded;
            break;
        case VerificationNoResponse:
            ++counts.notAnswering;
            break;
        case VerificationNotVerified:
            if (stopped)
                ++counts.notChecked;
            break;
        default:
            break;
        }
    }
    return counts;
}

QString summaryText(const Summary &counts)
{
    QString text = Tr::tr("%L1 verified, %L2 not found, %L3 not loaded, %L4 not answering")
                       .arg(counts.verified)
                       .arg(counts.notFound)
                       .arg(counts.notLoaded)
                       .arg(counts.notAnswering);
    if (counts.notChecked > 0)
        text += Tr::tr(", %L1 not checked").arg(counts.notChecked);
    return text;
}

} // namespace VerificationSheetForm

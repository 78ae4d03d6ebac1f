#include "CliCommand.h"

#include "history/HistoryJson.h"
#include "history/HistoryStore.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>

namespace {

// Writes the checks as one JSON array, a check at a time, in the form QJsonDocument gives the whole
// array, in pieces straight to the output's device.
class CheckArrayWriter
{
public:
    explicit CheckArrayWriter(QTextStream &out) : m_out(out) { m_buffer.reserve(2 * FlushSize); }
    ~CheckArrayWriter() { flush(); }

    void append(const CheckRecord &check)
    {
        m_buffer += m_empty ? "[\n" : ",\n";
        m_empty = false;
        HistoryJson::appendCheck(m_buffer, check, 1);
        if (m_buffer.size() > FlushSize)
            flush();
    }
    void finish()
    {
        m_buffer += m_empty ? "[\n]\n" : "\n]\n";
        flush();
    }

private:
    static constexpr qsizetype FlushSize = 1 << 16;

    void flush()
    {
        m_out.flush();
        if (QIODevice *device = m_out.device())
            device->write(m_buffer);
        else
            m_out << QString::fromUtf8(m_buffer);
        m_buffer.resize(0); // keeps its room for the next piece
    }

    QTextStream &m_out;
    QByteArray m_buffer;
    bool m_empty = true;
};

int runHistory(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    QString path;
    QString linkID;
    bool json = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--json")) {
            json = true;
        } else if (argument == QLatin1String("--link") && i + 1 < arguments.size()) {
            linkID = arguments.at(++i);
        } else if (argument.startsWith(QLatin1String("--link="))) {
            linkID = argument.mid(7);
        } else if (argument.startsWith(u'-') || !path.isEmpty()) {
            return Cli::usage(QStringLiteral("history"), err);
        } else {
            path = argument;
        }
    }
    if (path.isEmpty() || (!linkID.isNull() && linkID.isEmpty()))
        return Cli::usage(QStringLiteral("history"), err);
    if (!QFileInfo(path).isFile()) {
        err << path << ": " << HistoryStore::tr("no such database file") << Qt::endl;
        return ExitBadFile;
    }
    // The checks are printed as they are read: a history of a million checks is never held at once.
    // With TZ unset the C library reads /etc/localtime again for every time it turns into local time
    // (three a check); naming that file, which unset means, reads it once.
    if (!qEnvironmentVariableIsSet("TZ"))
        qputenv("TZ", ":/etc/localtime");
    HistoryStore store(path);
    CheckArrayWriter rows(out);
    const bool read = store.forEachCheck(linkID, [&](const CheckRecord &check) {
        if (json) {
            rows.append(check);
            return;
        }
        out << HistoryJson::isoTime(check.checkedOn) << '\t' << check.linkID << '\t' << check.title << '\t'
            << Codes::verificationRunText(check.result) << '\t' << check.httpStatus << '\t'
            << (check.followed ? "followed" : "not followed") << '\t' << CheckOutcomes::keyword(check.outcome)
            << '\n';
    });
    // A history that failed halfway leaves the array open: no reader takes it for the whole history.
    if (json && read)
        rows.finish();
    out.flush();
    if (!read) {
        err << store.errorString() << Qt::endl;
        return ExitBadFile;
    }
    return ExitOk;
}

int runChanges(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    QString path;
    bool json = false;
    int unreachableDays = LinkChange::unreachableDaysFromPreferences();
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        QString days;
        if (argument == QLatin1String("--json")) {
            json = true;
        } else if (argument == QLatin1String("--unreachable-days") && i + 1 < arguments.size()) {
            days = arguments.at(++i);
        } else if (argument.startsWith(QLatin1String("--unreachable-days="))) {
            days = argument.section(u'=', 1);
        } else if (argument.startsWith(u'-') || !path.isEmpty()) {
            return Cli::usage(QStringLiteral("changes"), err);
        } else {
            path = argument;
        }
        if (!days.isNull()) {
            bool ok = false;
            unreachableDays = days.toInt(&ok);
            if (!ok || unreachableDays < LinkChange::MinimumUnreachableDays ||
                unreachableDays > LinkChange::MaximumUnreachableDays)
                return Cli::usage(QStringLiteral("changes"), err);
        }
    }
    if (path.isEmpty())
        return Cli::usage(QStringLiteral("changes"), err);
    if (!QFileInfo(path).isFile()) {
        err << path << ": " << HistoryStore::tr("no such database file") << Qt::endl;
        return ExitBadFile;
    }
    HistoryStore store(path);
    const std::optional<QList<LinkChange>> changes = store.changes(unreachableDays);
    if (!changes) {
        err << store.errorString() << Qt::endl;
        return ExitBadFile;
    }
    if (json) {
        QJsonArray rows;
        for (const LinkChange &change : *changes)
            rows.append(HistoryJson::change(change));
        out << QJsonDocument(rows).toJson(QJsonDocument::Indented);
        return ExitOk;
    }
    for (const LinkChange &change : *changes) {
        out << LinkChange::keyword(change.kind) << '\t' << change.linkID << '\t' << change.title << '\t'
            << Codes::verificationRunText(change.previous) << '\t'
            << Codes::verificationRunText(change.current) << '\t' << HistoryJson::isoTime(change.since);
        if (!change.movedTo.isEmpty())
            out << '\t' << change.movedTo;
        out << Qt::endl;
    }
    return ExitOk;
}

const CliRegistration historyRegistration(
    {QStringLiteral("history"),
     QStringLiteral("FILE.site [--link ID] [--json]"),
     QStringLiteral(QT_TRANSLATE_NOOP(
         "CliCommand", "Print the recorded verification checks, newest first (all links, or one).")),
     runHistory,
     false,
     {{QStringLiteral("--link ID"),
       QStringLiteral(QT_TRANSLATE_NOOP("CliCommand", "Only the checks of this link."))},
      {QStringLiteral("--json"),
       QStringLiteral(QT_TRANSLATE_NOOP("CliCommand", "Print the checks as JSON."))}}});

const CliRegistration changesRegistration(
    {QStringLiteral("changes"),
     QStringLiteral("FILE.site [--unreachable-days N] [--json]"),
     QStringLiteral(QT_TRANSLATE_NOOP(
         "CliCommand", "Print the links that were lost, moved to another page of the partner's "
                       "site, are no longer followed or recovered, and the partner sites that "
                       "have been unreachable for days.")),
     runChanges,
     false,
     {{QStringLiteral("--unreachable-days N"),
       QStringLiteral(QT_TRANSLATE_NOOP("CliCommand",
                                        "Call a site unreachable when every check of the last N days (1-90) "
                                        "could not load it or was refused."))},
      {QStringLiteral("--json"),
       QStringLiteral(QT_TRANSLATE_NOOP("CliCommand", "Print the changes as JSON."))}}});

} // namespace

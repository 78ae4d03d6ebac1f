#pragma once

#include "Attachment.h"
#include "Codes.h"

#include <QDate>
#include <QDateTime>
#include <QString>

// Everything the full link setter takes: the content of a link apart from its ID and creation date.
struct LinkFields
{
    QString title;
    QString categoryID;
    QString URL;
    QString description;
    QString keywords;
    QString counterpartURL;
    QString counterpartCategoryName;
    QString contactFirstName;
    QString contactLastName;
    QString contactEmail;
    QDate lastVerifiedOn; // null: never verified
    VerificationResult lastVerificationResult = VerificationNotVerified;
    QDate lastStatusChangedOn;
    LinkType type = LinkTypeReceived;
    LinkStatus status = LinkStatusNew;
    char draft = DraftMarkerFinal;
    QString notes;
};

// One link-exchange partner.
class Link : public Attachment
{
public:
    static constexpr int32_t RecordSize = 3872;

    Link(); // new ID, created now, nothing else set

    // The full setter. One-line fields are flattened; the status date follows the status rule.
    void setTitle(const LinkFields &fields);
    LinkFields fields() const;
    void setStatus(LinkStatus status);
    void setLastVerifiedOn(const QDate &date, VerificationResult result);
    void setCategoryID(const QString &categoryID) { m_categoryID = categoryID; }

    QString HTMLTitle() const;
    QString HTMLDescription() const;

    const QString &categoryID() const { return m_categoryID; }
    const QString &title() const { return m_title; }
    const QString &URL() const { return m_URL; }
    const QString &description() const { return m_description; }
    const QString &keywords() const { return m_keywords; }
    const QString &counterpartURL() const { return m_counterpartURL; }
    const QString &counterpartCategoryName() const { return m_counterpartCategoryName; }
    const QString &contactFirstName() const { return m_contactFirstName; }
    const QString &contactLastName() const { return m_contactLastName; }
    const QString &contactEmail() const { return m_contactEmail; }
    LinkStatus status() const { return m_status; }
    LinkType type() const { return m_type; }
    char draft() const { return m_draft; }
    // Kept as day and time: the day is read for every link on saving and searching, and a
    // local date-time would consult the time zone each time.
    QDateTime createdOn() const { return QDateTime(m_createdOnDay, m_createdOnTime); }
    const QDate &createdOnDay() const { return m_createdOnDay; }
    const QDate &lastVerifiedOn() const { return m_lastVerifiedOn; }
    VerificationResult lastVerificationResult() const { return m_lastVerificationResult; }
    const QDate &lastStatusChangedOn() const { return m_lastStatusChangedOn; }
    const QString &notes() const { return m_notes; }

    // Used by the file reader and by `load` from JSON, which keep stored identities.
    void setID(const QString &id) { m_ID = id; }
    void setCreatedOn(const QDateTime &createdOn)
    {
        m_createdOnDay = createdOn.date();
        m_createdOnTime = createdOn.time();
    }

    Kind kind() const override { return Kind::Link; }
    QString nodeTitle() const override { return m_title; }
    int32_t sizeOfDataRepresentation() const override { return RecordSize; }
    void loadDataRepresentation(const char *bytes) override;
    char *getDataRepresentation(char *buffer) const override;
    bool containsString(const QString &text) const override;
    bool equals(const Attachment &other) const override;
    int compare(const Attachment &other) const override;
    QString ID() const override { return m_ID; }

private:
    QString m_ID;
    QString m_categoryID;
    QString m_title;
    QString m_URL;
    QString m_description;
    QString m_keywords;
    QString m_counterpartURL;
    QString m_counterpartCategoryName;
    QString m_contactFirstName;
    QString m_contactLastName;
    QString m_contactEmail;
    LinkStatus m_status = 0;
    LinkType m_type = 0;
    char m_draft = 0;
    QDate m_createdOnDay;
    QTime m_createdOnTime;
    QDate m_lastVerifiedOn;
    VerificationResult m_lastVerificationResult = 0;
    QDate m_lastStatusChangedOn;
    QString m_notes;
};

#pragma once

#include "Attachment.h"

#include <QDateTime>
#include <QString>

// An e-mail template with placeholders in subject and body.
class EmailTemplate : public Attachment
{
public:
    static constexpr int32_t RecordSize = 4676;

    EmailTemplate(); // new ID, created now

    void setName(const QString &name, const QString &subject, const QString &body);

    const QString &name() const { return m_name; }
    const QString &subject() const { return m_subject; }
    const QString &body() const { return m_body; }
    const QDateTime &createdOn() const { return m_createdOn; }
    void setID(const QString &id) { m_ID = id; }
    void setCreatedOn(const QDateTime &createdOn) { m_createdOn = createdOn; }

    Kind kind() const override { return Kind::EmailTemplate; }
    QString nodeTitle() const override { return m_name; }
    int32_t sizeOfDataRepresentation() const override { return RecordSize; }
    void loadDataRepresentation(const char *bytes) override;
    char *getDataRepresentation(char *buffer) const override;
    bool containsString(const QString &text) const override;
    bool equals(const Attachment &other) const override;
    int compare(const Attachment &other) const override;
    QString ID() const override { return m_ID; }

private:
    QString m_ID;
    QString m_name;
    QString m_subject;
    QString m_body;
    QDateTime m_createdOn;
};

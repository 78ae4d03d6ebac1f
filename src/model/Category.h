#pragma once

#include "Attachment.h"

#include <QDateTime>
#include <QString>

// A category of links. The default category ("General") has the ID NoneCategoryID.
class Category : public Attachment
{
public:
    static constexpr int32_t RecordSize = 516;

    Category(); // new ID, created now

    void setName(const QString &name, const QString &anchor); // name flattened, anchor as given
    void setNone();
    bool isNone() const;
    QString HTMLName() const;

    const QString &name() const { return m_name; }
    const QString &anchor() const { return m_anchor; }
    const QDateTime &createdOn() const { return m_createdOn; }
    void setID(const QString &id) { m_ID = id; }
    void setCreatedOn(const QDateTime &createdOn) { m_createdOn = createdOn; }

    Kind kind() const override { return Kind::Category; }
    // The default category is shown as "General" in the user's language, whatever name the file holds.
    QString nodeTitle() const override;
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
    QString m_anchor;
    QDateTime m_createdOn;
};

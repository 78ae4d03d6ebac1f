#pragma once

#include "Attachment.h"

#include <QDate>
#include <QString>

// A computed reminder; never stored in the file.
class Notification : public Attachment
{
public:
    Notification(int32_t type, const QDate &date, const QString &text);

    int32_t type() const { return m_type; }
    const QDate &date() const { return m_date; }
    const QString &text() const { return m_text; }

    Kind kind() const override { return Kind::Notification; }
    QString nodeTitle() const override { return QString(); }
    int32_t sizeOfDataRepresentation() const override { return 0; }
    void loadDataRepresentation(const char *) override {}
    char *getDataRepresentation(char *buffer) const override { return buffer; }
    bool containsString(const QString &text) const override;
    bool equals(const Attachment &other) const override;
    int compare(const Attachment &other) const override;
    QString ID() const override { return QString(); }

private:
    int32_t m_type;
    QDate m_date;
    QString m_text;
};

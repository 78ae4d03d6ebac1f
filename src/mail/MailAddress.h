#pragma once

#include <QString>

// A person's name and e-mail address, as a message's From or To names them.
struct MailAddress
{
    QString name;
    QString address;

    // The domain part of the address ("example.org" of "ann@example.org"); empty without one.
    QString domain() const;
    // Whether the address has the plain form local@domain (no spaces, brackets or line breaks).
    bool isValid() const;
    // "Name <address>" or the address alone; "Name <address>" is also what `parse` reads.
    QString text() const;
    // Reads "Name <address>", "<address>" or "address"; none-valid results are checked by isValid.
    static MailAddress parse(const QString &text);

    bool operator==(const MailAddress &other) const = default;
};

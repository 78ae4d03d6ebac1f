#pragma once

#include <QString>

// Web and e-mail addresses as the editors take them: completion of a bare host name and the
// plausibility checks that point out a typing mistake without refusing it.
namespace AddressTexts {

// "http://" put in front of an address that has no "://" (so an empty one becomes "http://").
QString completedURL(const QString &address);
// An address that is empty or exactly "http://" counts as not given.
bool isMissingURL(const QString &address);
// The address with one trailing slash removed, where there is one: "a.example/" and "a.example"
// name the same page when links are compared.
QStringView withoutTrailingSlash(const QString &address);

// An address with a space or without a host name, and an e-mail address without "@" or without a
// domain, are most likely typing mistakes. An empty value (or "http://" alone for an address) is
// no mistake.
bool looksLikeWebAddress(const QString &address);
bool looksLikeEmailAddress(const QString &address);

} // namespace AddressTexts

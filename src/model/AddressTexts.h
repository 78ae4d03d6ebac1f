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

// An address as it is stored and published may only lead to a web page: it begins with "http://" or
// "https://" (any case), read as a browser reads an href (leading spaces and control characters
// skipped, tabs and line breaks dropped), so "java\tscript:" or " data:" cannot pass for one.
bool isWebAddress(const QString &address);
// A stored address the ways in may take: a web address, or none at all (empty or "http://").
bool isStorableAddress(const QString &address);
// A typed or imported address that would become something other than a web page once completed
// ("javascript:...", "data:...", "vbscript://...", "mailto:..."); a host with a port
// ("example.com:8080") is no scheme. A missing address is not refused.
bool isRefusedAddress(const QString &address);
// A site's host as links are compared by it: lower case, without a leading "www." ("www.a.example"
// and "a.example" are one site).
QString siteHost(const QString &host);

// "\"%1\" is not a web address: only addresses that begin with http:// or https:// can be used."
QString refusedAddressMessage(const QString &address);

} // namespace AddressTexts

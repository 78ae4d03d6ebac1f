#pragma once

#include <QString>
#include <QStringView>
#include <optional>

// The value of a Refresh header or of a <meta http-equiv="refresh"> content attribute: a delay in
// seconds and the address to go to, read as browsers read it ("5; url='next.html'", "0;URL=/x",
// "3"). A page that only reloads itself names no address.
struct RefreshDirective
{
    // A page that moves on within this many seconds has moved; a slower one is a page of its own
    // that visitors (and search engines) read before it goes on.
    static constexpr int MaximumDelaySeconds = 10;

    int delaySeconds = 0;
    QString url; // as written, unresolved; empty when the page reloads itself

    // Whether visitors are sent on so soon that the page counts as moved.
    bool movesAtOnce() const { return delaySeconds <= MaximumDelaySeconds; }

    static std::optional<RefreshDirective> parse(QStringView value);
};

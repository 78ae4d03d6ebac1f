#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <optional>

// Recognises the answer of a bot wall: the page a protection service shows a program instead of the
// site (a JavaScript challenge, a captcha, a block page), whatever its HTTP status. Such a page says
// nothing about the link, so the check is "blocked", never "link missing". The signatures are
// deliberately narrow (a header the service sets, or markers only its challenge page carries), so an
// ordinary page that mentions a service is never taken for its wall.
namespace BotChallenge {
using Headers = QList<QPair<QByteArray, QByteArray>>;

// The name of the service whose challenge this answer is ("Cloudflare"), or none.
std::optional<QString> service(const Headers &headers, const QByteArray &body);
} // namespace BotChallenge

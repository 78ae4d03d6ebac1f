#include "BotChallenge.h"

namespace {

// Body markers are looked for in the beginning of the page only: challenge pages are small.
constexpr qsizetype ScannedBodyBytes = 64 * 1024;

struct Signature
{
    const char *service;
    const char *header;      // a header the service sets on its challenges, or null
    const char *headerValue; // the header's value, compared without letter case; null: any value
    // Markers that must all be in the body; none when the header alone decides.
    std::initializer_list<const char *> markers;
};

const Signature Signatures[] = {
    // Cloudflare marks every challenge it serves, whatever the status.
    {"Cloudflare", "cf-mitigated", "challenge", {}},
    // ... and its interstitial, also where a proxy in front dropped the header.
    {"Cloudflare", nullptr, nullptr, {"<title>Just a moment...</title>", "/cdn-cgi/challenge-platform/"}},
    {"Vercel", "x-vercel-mitigated", "challenge", {}},
    {"AWS WAF", "x-amzn-waf-action", nullptr, {}},
    // Sucuri's JavaScript check answers 200.
    {"Sucuri", nullptr, nullptr, {"sucuri_cloudproxy_js"}},
    // Imperva puts its script on ordinary pages too; only the block page names an incident.
    {"Imperva", nullptr, nullptr, {"_Incapsula_Resource", "Incapsula incident ID"}},
    {"DataDome", "x-datadome", nullptr, {"captcha-delivery.com"}},
    {"DDoS-Guard", "server", "ddos-guard", {"DDoS-Guard"}},
};

const QByteArray *headerValue(const BotChallenge::Headers &headers, const char *name)
{
    for (const auto &header : headers) {
        if (header.first.compare(name, Qt::CaseInsensitive) == 0)
            return &header.second;
    }
    return nullptr;
}

} // namespace

std::optional<QString> BotChallenge::service(const Headers &headers, const QByteArray &body)
{
    const QByteArrayView scanned = QByteArrayView(body).first(qMin(body.size(), ScannedBodyBytes));
    for (const Signature &signature : Signatures) {
        if (signature.header) {
            const QByteArray *value = headerValue(headers, signature.header);
            if (!value)
                continue;
            if (signature.headerValue &&
                value->trimmed().compare(signature.headerValue, Qt::CaseInsensitive) != 0)
                continue;
        }
        bool all = true;
        for (const char *marker : signature.markers)
            all = all && scanned.contains(QByteArrayView(marker));
        if (all)
            return QString::fromLatin1(signature.service);
    }
    return std::nullopt;
}

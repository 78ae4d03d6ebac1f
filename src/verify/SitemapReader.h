#pragma once

#include <QByteArray>
#include <QStringList>

// Reads a sitemap (the <loc> of each <url>) or a sitemap index (the <loc> of each <sitemap>) as
// the sitemaps protocol writes them. A file that breaks off or is no sitemap yields what was read.
namespace SitemapReader {
// The protocol's own limit of entries per file.
inline constexpr int MaximumEntries = 50000;

struct Sitemap
{
    QStringList pages;    // of a sitemap
    QStringList sitemaps; // of a sitemap index
};

Sitemap read(const QByteArray &xml, int maximumEntries = MaximumEntries);
} // namespace SitemapReader

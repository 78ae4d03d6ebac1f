#include "SitemapReader.h"

#include <QXmlStreamReader>

SitemapReader::Sitemap SitemapReader::read(const QByteArray &xml, int maximumEntries)
{
    Sitemap sitemap;
    QXmlStreamReader reader(xml);
    // Entities are for text, not for a file to grow by.
    reader.setEntityExpansionLimit(1024);
    enum class In
    {
        Other,
        Url,
        Sitemap
    } in = In::Other;
    int entries = 0;
    while (!reader.atEnd() && entries < maximumEntries) {
        reader.readNext();
        if (reader.isStartElement()) {
            const QStringView name = reader.name();
            if (name == QLatin1String("url"))
                in = In::Url;
            else if (name == QLatin1String("sitemap"))
                in = In::Sitemap;
            else if (name == QLatin1String("loc") && in != In::Other) {
                const QString location =
                    reader.readElementText(QXmlStreamReader::SkipChildElements).trimmed();
                if (location.isEmpty())
                    continue;
                (in == In::Url ? sitemap.pages : sitemap.sitemaps).append(location);
                ++entries;
            }
        } else if (reader.isEndElement()) {
            const QStringView name = reader.name();
            if (name == QLatin1String("url") || name == QLatin1String("sitemap"))
                in = In::Other;
        }
    }
    return sitemap;
}

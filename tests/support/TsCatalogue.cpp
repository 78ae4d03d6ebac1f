#include "TsCatalogue.h"

#include <QFile>
#include <QXmlStreamReader>

bool TsCatalogue::read(const QString &path, QString *error)
{
    m_messages.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return false;
    }
    QXmlStreamReader xml(&file);
    QString context;
    TsMessage message;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const auto name = xml.name();
            if (name == QLatin1String("name")) {
                context = xml.readElementText();
            } else if (name == QLatin1String("message")) {
                message = TsMessage{context, {}, {}, {}, {}, false};
                message.numerus = xml.attributes().value(QLatin1String("numerus")) == QLatin1String("yes");
            } else if (name == QLatin1String("source")) {
                message.source = xml.readElementText();
            } else if (name == QLatin1String("comment")) {
                message.comment = xml.readElementText();
            } else if (name == QLatin1String("translation")) {
                message.type = xml.attributes().value(QLatin1String("type")).toString();
                if (!message.numerus)
                    message.translations.append(xml.readElementText());
            } else if (name == QLatin1String("numerusform")) {
                message.translations.append(xml.readElementText());
            }
        } else if (xml.isEndElement() && xml.name() == QLatin1String("message")) {
            m_messages.append(message);
        }
    }
    if (xml.hasError()) {
        *error = xml.errorString();
        return false;
    }
    return true;
}

QSet<QString> TsCatalogue::keys() const
{
    QSet<QString> keys;
    for (const TsMessage &message : m_messages)
        keys.insert(message.key());
    return keys;
}

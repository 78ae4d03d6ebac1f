#include "DocumentImages.h"

#include <QHash>

namespace DocumentImages {

const QIcon &icon(const QString &name)
{
    static QHash<QString, QIcon> cache;
    auto it = cache.find(name);
    if (it == cache.end())
        it = cache.insert(name, QIcon(QStringLiteral(":/images/%1.svg").arg(name)));
    return it.value();
}

} // namespace DocumentImages

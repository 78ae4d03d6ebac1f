#pragma once

#include <QIcon>
#include <QString>

// The window's images by resource name ("new", "warning", ...), loaded once and shared.
namespace DocumentImages {

const QIcon &icon(const QString &name);

} // namespace DocumentImages

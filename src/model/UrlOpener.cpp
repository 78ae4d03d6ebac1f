#include "UrlOpener.h"

#include <QDesktopServices>

namespace {

class DesktopUrlOpener : public UrlOpener
{
public:
    bool openUrl(const QUrl &url) override { return QDesktopServices::openUrl(url); }
};

UrlOpener *s_installed = nullptr;

} // namespace

UrlOpener &UrlOpener::instance()
{
    static DesktopUrlOpener desktop;
    return s_installed ? *s_installed : desktop;
}

void UrlOpener::setInstance(UrlOpener *opener)
{
    s_installed = opener;
}

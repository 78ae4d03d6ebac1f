#include "UrlOpener.h"

// GLib names a struct member "signals", which Qt defines as a keyword.
#pragma push_macro("signals")
#undef signals
#include <gio/gio.h>
#pragma pop_macro("signals")

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <memory>

namespace {

struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(UrlOpener)
};

struct GObjectRelease
{
    void operator()(gpointer object) const { g_object_unref(object); }
};
using AppInfo = std::unique_ptr<GAppInfo, GObjectRelease>;

// Asks the desktop's own registry (the shared MIME-type defaults that every desktop writes) for the
// program, and starts it: a missing program or one that cannot start is a failure the user is told
// of, where a launcher script would take the address and fail later, out of sight.
class DesktopUrlOpener : public UrlOpener
{
public:
    bool openUrl(const QUrl &url) override
    {
        m_error.clear();
        const AppInfo handler = handlerFor(url);
        if (!handler) {
            m_error = noHandlerText(url);
            return false;
        }
        const QByteArray address = url.toEncoded();
        GList *addresses = g_list_append(nullptr, const_cast<char *>(address.constData()));
        GError *error = nullptr;
        const bool started = g_app_info_launch_uris(handler.get(), addresses, nullptr, &error);
        g_list_free(addresses);
        if (!started) {
            m_error = Tr::tr("%1 could not be started: %2.")
                          .arg(QString::fromUtf8(g_app_info_get_display_name(handler.get())),
                               error ? QString::fromUtf8(error->message) : Tr::tr("no reason given"));
        }
        g_clear_error(&error);
        return started;
    }

    QString errorString() const override { return m_error; }

private:
    static AppInfo handlerFor(const QUrl &url)
    {
        if (url.isLocalFile()) {
            GFile *file = g_file_new_for_path(QFile::encodeName(url.toLocalFile()).constData());
            AppInfo handler(g_file_query_default_handler(file, nullptr, nullptr));
            g_object_unref(file);
            return handler;
        }
        const QByteArray scheme = url.scheme().toLower().toLatin1();
        if (scheme.isEmpty())
            return nullptr;
        return AppInfo(g_app_info_get_default_for_uri_scheme(scheme.constData()));
    }

    static QString noHandlerText(const QUrl &url)
    {
        const QString scheme = url.scheme().toLower();
        if (scheme == QLatin1String("mailto"))
            return Tr::tr("No e-mail program is set up to write messages.");
        if (scheme == QLatin1String("http") || scheme == QLatin1String("https"))
            return Tr::tr("No web browser is set up to show web pages.");
        if (url.isLocalFile())
            return Tr::tr("No program is set up to open the file \"%1\".")
                .arg(QFileInfo(url.toLocalFile()).fileName());
        return Tr::tr("No program is set up to open \"%1:\" addresses.").arg(scheme);
    }

    QString m_error;
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

#include "FuzzSupport.h"

#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace FuzzSupport {

void setUp()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    // The same day starts and the same 8-bit conversions in every run, here and in the replay test.
    qputenv("TZ", "Europe/Berlin");
    qputenv("LC_ALL", "C.UTF-8");
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    static std::unique_ptr<QCoreApplication> application(new QCoreApplication(argc, argv));
}

void fail(const char *condition, const char *file, int line, const QString &detail)
{
    std::fprintf(stderr, "\n%s:%d: invariant failed: %s\n  %s\n", file, line, condition,
                 detail.toLocal8Bit().constData());
    std::fflush(stderr);
    std::abort();
}

QByteArray bytes(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

uint8_t Cursor::byte()
{
    return m_at < m_input.size() ? uint8_t(m_input.at(m_at++)) : 0;
}

QByteArray Cursor::line()
{
    const qsizetype end = m_input.indexOf('\n', m_at);
    const QByteArray piece = m_input.mid(m_at, end < 0 ? -1 : end - m_at);
    m_at = end < 0 ? m_input.size() : end + 1;
    return piece;
}

QByteArray Cursor::rest()
{
    const QByteArray piece = m_input.mid(m_at);
    m_at = m_input.size();
    return piece;
}

} // namespace FuzzSupport

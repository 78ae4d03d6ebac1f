#include "HistoryLockHolder.h"

namespace {
// Locks, says so, and waits for a line (or the end of its input) before it lets go.
const char *const Script = "import sqlite3, sys\n"
                           "db = sqlite3.connect(sys.argv[1], isolation_level=None, timeout=10)\n"
                           "db.execute('BEGIN EXCLUSIVE')\n"
                           "print('locked', flush=True)\n"
                           "sys.stdin.readline()\n"
                           "db.execute('ROLLBACK')\n";
} // namespace

HistoryLockHolder::~HistoryLockHolder()
{
    release();
}

bool HistoryLockHolder::hold(const QString &historyPath)
{
    m_python.start(QStringLiteral("python3"),
                   {QStringLiteral("-c"), QString::fromLatin1(Script), historyPath});
    if (!m_python.waitForStarted(5000))
        return false;
    while (m_python.waitForReadyRead(10000)) {
        if (m_python.readAll().contains("locked"))
            return true;
    }
    return false;
}

void HistoryLockHolder::release()
{
    if (m_python.state() == QProcess::NotRunning)
        return;
    m_python.write("\n");
    m_python.closeWriteChannel();
    if (!m_python.waitForFinished(10000)) {
        m_python.kill();
        m_python.waitForFinished();
    }
}

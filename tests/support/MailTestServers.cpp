#include "MailTestServers.h"

#include "TestData.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

#include <sys/time.h>
#include <unistd.h>

namespace {

constexpr uid_t MailOwner = 65534; // nobody: dovecot serves no mailbox as root

bool fail(QString *error, const QString &why)
{
    if (error)
        *error = why;
    return false;
}

quint16 freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

bool waitForFile(const QString &path, int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (!QFile::exists(path)) {
        if (timer.elapsed() > ms)
            return false;
        QThread::msleep(20);
    }
    return true;
}

bool waitForPort(quint16 port, int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, port);
        if (socket.waitForConnected(200))
            return true;
        QThread::msleep(50);
    }
    return false;
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

std::optional<TestCertificate> TestCertificate::make(const QString &folder, QString *error)
{
    TestCertificate certificate{
        folder + QStringLiteral("/cert.pem"), folder + QStringLiteral("/key.pem"), {}};
    QProcess openssl;
    openssl.start(QStringLiteral("openssl"),
                  {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"),
                   QStringLiteral("rsa:2048"), QStringLiteral("-nodes"), QStringLiteral("-keyout"),
                   certificate.keyPath, QStringLiteral("-out"), certificate.certificatePath,
                   QStringLiteral("-days"), QStringLiteral("2"), QStringLiteral("-subj"),
                   QStringLiteral("/CN=localhost"), QStringLiteral("-addext"),
                   QStringLiteral("subjectAltName=DNS:localhost,IP:127.0.0.1")});
    if (!openssl.waitForFinished(30000) || openssl.exitCode() != 0) {
        fail(error,
             QStringLiteral("openssl could not make a certificate: ") + openssl.readAllStandardError());
        return std::nullopt;
    }
    openssl.start(QStringLiteral("openssl"),
                  {QStringLiteral("x509"), QStringLiteral("-in"), certificate.certificatePath,
                   QStringLiteral("-noout"), QStringLiteral("-fingerprint"), QStringLiteral("-sha256")});
    openssl.waitForFinished(10000);
    const QString output = QString::fromLatin1(openssl.readAllStandardOutput()).trimmed();
    certificate.fingerprint = output.section(u'=', 1).toUpper();
    // dovecot's processes read the files as another user.
    QFile::setPermissions(certificate.keyPath, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    return certificate;
}

SmtpTestServer::~SmtpTestServer()
{
    stop();
}

bool SmtpTestServer::start(Mode mode, QString *error)
{
    if (!m_folder.isValid())
        return fail(error, QStringLiteral("no temporary folder"));
    const std::optional<TestCertificate> certificate = TestCertificate::make(m_folder.path(), error);
    if (!certificate)
        return false;
    m_certificate = *certificate;
    const QString script = QStringLiteral(QM_SOURCE_DIR "/tests/support/smtp_test_server.py");
    const QString modeName = mode == Mode::StartTls ? QStringLiteral("starttls")
                             : mode == Mode::Tls    ? QStringLiteral("tls")
                                                    : QStringLiteral("plain");
    // Its log (tracebacks of the handshakes a test refuses on purpose) stays in the folder.
    m_process.setStandardErrorFile(m_folder.filePath(QStringLiteral("server.log")));
    m_process.setStandardOutputFile(QProcess::nullDevice());
    // Debian's Python, where python3-aiosmtpd is installed, whatever python3 comes first on the PATH.
    m_process.start(QStringLiteral("/usr/bin/python3"),
                    {script, m_folder.path(), modeName, User, Password, m_certificate.certificatePath,
                     m_certificate.keyPath});
    if (!m_process.waitForStarted(10000))
        return fail(error, QStringLiteral("python3 does not start"));
    if (!waitForFile(m_folder.filePath(QStringLiteral("port")), 20000)) {
        stop();
        return fail(error,
                    QStringLiteral("the SMTP test server did not start (is python3-aiosmtpd installed?)"));
    }
    m_port = quint16(readFile(m_folder.filePath(QStringLiteral("port"))).toUInt());
    return true;
}

void SmtpTestServer::stop()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.terminate();
        if (!m_process.waitForFinished(5000)) {
            m_process.kill();
            m_process.waitForFinished(2000);
        }
    }
}

QList<QByteArray> SmtpTestServer::messages() const
{
    QList<QByteArray> result;
    const QStringList files =
        QDir(m_folder.path()).entryList({QStringLiteral("*.eml")}, QDir::Files, QDir::Name);
    for (const QString &name : files)
        result.append(readFile(m_folder.filePath(name)));
    return result;
}

QList<QStringList> SmtpTestServer::recipients() const
{
    QList<QStringList> result;
    const QStringList files =
        QDir(m_folder.path()).entryList({QStringLiteral("*.env")}, QDir::Files, QDir::Name);
    for (const QString &name : files)
        result.append(
            QString::fromUtf8(readFile(m_folder.filePath(name))).split(u'\n', Qt::SkipEmptyParts).mid(1));
    return result;
}

int SmtpTestServer::connections() const
{
    return readFile(m_folder.filePath(QStringLiteral("connections"))).toInt();
}

ImapTestServer::~ImapTestServer()
{
    stop();
}

bool ImapTestServer::start(QString *error)
{
    if (!QFile::exists(QStringLiteral("/usr/sbin/dovecot")))
        return fail(error, QStringLiteral("dovecot is not installed (dovecot-imapd)"));
    if (!m_folder.isValid())
        return fail(error, QStringLiteral("no temporary folder"));
    // dovecot's login and mail processes run as other users and must reach their files.
    QFile::setPermissions(m_folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                               QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther |
                                               QFile::ExeOther);
    const std::optional<TestCertificate> certificate = TestCertificate::make(m_folder.path(), error);
    if (!certificate)
        return false;
    m_certificate = *certificate;
    const QString root = m_folder.path();
    QDir().mkpath(root + QStringLiteral("/mail"));
    if (::chown(QFile::encodeName(root + QStringLiteral("/mail")).constData(), MailOwner, MailOwner) != 0)
        return fail(error, QStringLiteral("the mail folder cannot be given to the mail user"));
    QFile users(root + QStringLiteral("/users"));
    users.open(QIODevice::WriteOnly);
    users.write((User + QStringLiteral(":{PLAIN}") + Password + u'\n').toUtf8());
    users.close();
    m_imapPort = freePort();
    m_imapsPort = freePort();
    const QString config =
        QStringLiteral("base_dir = %1/run\nstate_dir = %1/state\nlog_path = %1/dovecot.log\n"
                       "protocols = imap\nlisten = 127.0.0.1\nssl = yes\nssl_cert = <%2\nssl_key = <%3\n"
                       "disable_plaintext_auth = yes\nauth_mechanisms = plain login\n"
                       "mail_location = maildir:%1/mail/%u\n"
                       "passdb {\n  driver = passwd-file\n  args = scheme=PLAIN %1/users\n}\n"
                       "userdb {\n  driver = static\n  args = uid=%4 gid=%4 home=%1/mail/%u\n}\n"
                       "service imap-login {\n  chroot =\n  inet_listener imap {\n    address = 127.0.0.1\n"
                       "    port = %5\n  }\n  inet_listener imaps {\n    address = 127.0.0.1\n    port = %6\n"
                       "    ssl = yes\n  }\n}\nservice anvil {\n  chroot =\n}\n")
            .arg(root, m_certificate.certificatePath, m_certificate.keyPath)
            .arg(MailOwner)
            .arg(m_imapPort)
            .arg(m_imapsPort);
    QFile file(root + QStringLiteral("/dovecot.conf"));
    file.open(QIODevice::WriteOnly);
    file.write(config.toUtf8());
    file.close();
    QProcess dovecot;
    dovecot.start(QStringLiteral("/usr/sbin/dovecot"), {QStringLiteral("-c"), file.fileName()});
    if (!dovecot.waitForFinished(20000) || dovecot.exitCode() != 0)
        return fail(error, QStringLiteral("dovecot does not start: ") + dovecot.readAllStandardError());
    m_running = true;
    if (!waitForPort(m_imapsPort, 20000) || !waitForPort(m_imapPort, 5000)) {
        stop();
        return fail(error, QStringLiteral("dovecot does not listen: ") + log());
    }
    return true;
}

void ImapTestServer::stop()
{
    if (!m_running)
        return;
    m_running = false;
    QProcess::execute(
        QStringLiteral("/usr/sbin/dovecot"),
        {QStringLiteral("-c"), m_folder.filePath(QStringLiteral("dovecot.conf")), QStringLiteral("stop")});
    // The master writes its pid file; wait until it is gone so the folder can be removed.
    QElapsedTimer timer;
    timer.start();
    while (QFile::exists(m_folder.filePath(QStringLiteral("run/master.pid"))) && timer.elapsed() < 10000)
        QThread::msleep(50);
}

QString ImapTestServer::maildir(const QString &folder) const
{
    const QString base = m_folder.filePath(QStringLiteral("mail/") + User);
    return folder == QLatin1String("INBOX") ? base : base + QStringLiteral("/.") + folder;
}

bool ImapTestServer::addMessage(const QByteArray &message, const QDateTime &arrived, const QString &folder)
{
    return addMessages({{message, arrived}}, folder);
}

bool ImapTestServer::addMessages(const QList<QPair<QByteArray, QDateTime>> &messages, const QString &folder)
{
    const QString dir = maildir(folder);
    for (const char *sub : {"/cur", "/new", "/tmp"})
        QDir().mkpath(dir + QLatin1String(sub));
    for (const auto &[message, arrived] : messages) {
        const QString name =
            QStringLiteral("%1.M%2P%3.test").arg(arrived.toSecsSinceEpoch()).arg(++m_added).arg(getpid());
        const QString path = dir + QStringLiteral("/new/") + name;
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(message) != message.size())
            return false;
        file.close();
        // The arrival time of a maildir message is its file's time.
        const timeval times[2] = {{time_t(arrived.toSecsSinceEpoch()), 0},
                                  {time_t(arrived.toSecsSinceEpoch()), 0}};
        ::utimes(QFile::encodeName(path).constData(), times);
    }
    return QProcess::execute(QStringLiteral("chown"),
                             {QStringLiteral("-R"), QStringLiteral("%1:%1").arg(MailOwner),
                              m_folder.filePath(QStringLiteral("mail"))}) == 0;
}

QStringList ImapTestServer::mailboxState() const
{
    QStringList state;
    const QString base = m_folder.filePath(QStringLiteral("mail/") + User);
    QDirIterator it(base, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (!path.contains(QLatin1String("/new/")) && !path.contains(QLatin1String("/cur/")))
            continue;
        // A message may move from new/ to cur/ as it is seen; its flags (after ":2,") must not change.
        const QFileInfo file(path);
        const QString folder = QDir(base).relativeFilePath(file.dir().path()).section(u'/', 0, -2);
        state << folder + u'/' + file.fileName().section(QStringLiteral(":2,"), 0, 0) +
                     QStringLiteral(" flags:") + file.fileName().section(QStringLiteral(":2,"), 1);
    }
    state.sort();
    return state;
}

QString ImapTestServer::log() const
{
    return QString::fromUtf8(readFile(m_folder.filePath(QStringLiteral("dovecot.log"))));
}

KeyringTestSession::~KeyringTestSession()
{
    stop();
}

bool KeyringTestSession::start(QString *error)
{
    if (!QFile::exists(QStringLiteral("/usr/bin/gnome-keyring-daemon")))
        return fail(error, QStringLiteral("gnome-keyring-daemon is not installed (gnome-keyring)"));
    if (!m_folder.isValid())
        return fail(error, QStringLiteral("no temporary folder"));
    const QString socket = m_folder.filePath(QStringLiteral("bus"));
    const QString address = QStringLiteral("unix:path=") + socket;
    m_bus.start(QStringLiteral("dbus-daemon"), {QStringLiteral("--session"), QStringLiteral("--nofork"),
                                                QStringLiteral("--address=") + address});
    if (!m_bus.waitForStarted(10000) || !waitForFile(socket, 10000))
        return fail(error, QStringLiteral("dbus-daemon does not start"));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address);
    environment.insert(QStringLiteral("HOME"), m_folder.path());
    environment.insert(QStringLiteral("XDG_DATA_HOME"), m_folder.filePath(QStringLiteral("data")));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_folder.path());
    m_keyring.setProcessEnvironment(environment);
    // A new login keyring, unlocked with an empty password read from standard input.
    m_keyring.start(
        QStringLiteral("gnome-keyring-daemon"),
        {QStringLiteral("--foreground"), QStringLiteral("--unlock"), QStringLiteral("--components=secrets")});
    if (!m_keyring.waitForStarted(10000))
        return fail(error, QStringLiteral("gnome-keyring-daemon does not start"));
    m_keyring.write("\n");
    m_keyring.waitForBytesWritten(5000); // no event loop turns here to write it later
    m_keyring.closeWriteChannel();
    m_running = true;
    m_previousAddress = qgetenv("DBUS_SESSION_BUS_ADDRESS");
    qputenv("DBUS_SESSION_BUS_ADDRESS", address.toUtf8());
    // The daemon has taken its name on the bus once it is ready.
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 15000) {
        QProcess ask;
        ask.setProcessEnvironment(environment);
        ask.start(QStringLiteral("dbus-send"),
                  {QStringLiteral("--session"), QStringLiteral("--print-reply"),
                   QStringLiteral("--dest=org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                   QStringLiteral("org.freedesktop.DBus.NameHasOwner"),
                   QStringLiteral("string:org.freedesktop.secrets")});
        ask.waitForFinished(5000);
        if (ask.readAllStandardOutput().contains("boolean true"))
            return true;
        QThread::msleep(100);
    }
    stop();
    return fail(error, QStringLiteral("gnome-keyring-daemon did not take the Secret Service's name"));
}

void KeyringTestSession::stop()
{
    if (!m_running)
        return;
    m_running = false;
    for (QProcess *process : {&m_keyring, &m_bus}) {
        process->terminate();
        if (!process->waitForFinished(5000)) {
            process->kill();
            process->waitForFinished(2000);
        }
    }
    if (m_previousAddress.isEmpty())
        qunsetenv("DBUS_SESSION_BUS_ADDRESS");
    else
        qputenv("DBUS_SESSION_BUS_ADDRESS", m_previousAddress);
}

#pragma once

#include <QList>
#include <QString>
#include <QUrl>

// Hands an address to the system: web pages to the browser, mailto: to the mail client, files to
// their application. Tests install a recording opener so nothing is ever launched.
class UrlOpener
{
public:
    virtual ~UrlOpener() = default;
    // True once the program the desktop has for the address took it; false when there is no such
    // program or it could not be started, and errorString() says which.
    virtual bool openUrl(const QUrl &url) = 0;
    // Why the last openUrl() failed, in words for the user; empty after a success.
    virtual QString errorString() const { return QString(); }

    // The opener in use; the desktop's own unless one was installed.
    static UrlOpener &instance();
    // Installs an opener (not owned); null restores the desktop's.
    static void setInstance(UrlOpener *opener);
};

// Remembers every address instead of opening it, and answers as told.
class RecordingUrlOpener : public UrlOpener
{
public:
    bool openUrl(const QUrl &url) override
    {
        m_urls.append(url);
        return m_answer;
    }
    QString errorString() const override { return m_answer ? QString() : m_error; }
    void setAnswer(bool answer, const QString &error = QString())
    {
        m_answer = answer;
        m_error = error;
    }
    const QList<QUrl> &urls() const { return m_urls; }

private:
    QList<QUrl> m_urls;
    bool m_answer = true;
    QString m_error;
};

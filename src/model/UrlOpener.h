#pragma once

#include <QList>
#include <QUrl>

// Hands an address to the system: web pages to the browser, mailto: to the mail client.
// Tests install a recording opener so nothing is ever launched.
class UrlOpener
{
public:
    virtual ~UrlOpener() = default;
    virtual bool openUrl(const QUrl &url) = 0;

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
    void setAnswer(bool answer) { m_answer = answer; }
    const QList<QUrl> &urls() const { return m_urls; }

private:
    QList<QUrl> m_urls;
    bool m_answer = true;
};

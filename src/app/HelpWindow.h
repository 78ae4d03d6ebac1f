#pragma once

#include <QWidget>

class QTextBrowser;
class QToolButton;
class QUrl;

// The window that shows the help pages compiled into the application. Links between pages stay in
// the window; addresses on the web open in the browser.
class HelpWindow : public QWidget
{
    Q_OBJECT

public:
    // The size it opens at, where the screen and the window that asked leave room for it.
    static constexpr QSize DefaultSize{720, 600};

    explicit HelpWindow(QWidget *parent = nullptr);

    // Shows the page holding the anchor, scrolled to it (the contents for an unknown anchor).
    void showAnchor(const QString &anchor);
    QUrl currentUrl() const;

private slots:
    void followLink(const QUrl &url);
    void updateTitle();

private:
    QTextBrowser *m_browser = nullptr;
};

#include "HelpWindow.h"

#include "gui/BrowserOpener.h"
#include "gui/HelpBook.h"

#include <QHBoxLayout>
#include <QKeySequence>
#include <QShortcut>
#include <QStyle>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QToolButton *makeButton(QWidget *parent, QStyle::StandardPixmap icon, const QString &text,
                        const QKeySequence &shortcut)
{
    auto *button = new QToolButton(parent);
    button->setIcon(parent->style()->standardIcon(icon));
    button->setText(text);
    button->setToolTip(shortcut.isEmpty() ? text
                                          : QStringLiteral("%1 (%2)").arg(
                                                text, shortcut.toString(QKeySequence::NativeText)));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setAutoRaise(true);
    if (!shortcut.isEmpty())
        button->setShortcut(shortcut);
    return button;
}

} // namespace

HelpWindow::HelpWindow(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("HelpWindow"));
    m_browser = new QTextBrowser(this);
    m_browser->setOpenLinks(false);
    m_browser->setFrameShape(QFrame::NoFrame);

    QToolButton *back = makeButton(this, QStyle::SP_ArrowBack, tr("Back"), QKeySequence::Back);
    QToolButton *forward = makeButton(this, QStyle::SP_ArrowForward, tr("Forward"), QKeySequence::Forward);
    QToolButton *contents = makeButton(this, QStyle::SP_DirHomeIcon, tr("Contents"), QKeySequence());
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(back, &QToolButton::clicked, m_browser, &QTextBrowser::backward);
    connect(forward, &QToolButton::clicked, m_browser, &QTextBrowser::forward);
    connect(contents, &QToolButton::clicked, this, [this] { m_browser->setSource(HelpBook::contentsUrl()); });
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QWidget::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QWidget::setEnabled);
    connect(m_browser, &QTextBrowser::anchorClicked, this, &HelpWindow::followLink);
    connect(m_browser, &QTextBrowser::sourceChanged, this, &HelpWindow::updateTitle);

    auto *close = new QShortcut(QKeySequence::Close, this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    auto *bar = new QHBoxLayout;
    bar->setContentsMargins(6, 4, 6, 4);
    bar->addWidget(back);
    bar->addWidget(forward);
    bar->addWidget(contents);
    bar->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(bar);
    layout->addWidget(m_browser);

    resize(DefaultSize);
    updateTitle();
}

void HelpWindow::showAnchor(const QString &anchor)
{
    const QUrl url = HelpBook::urlForAnchor(anchor);
    if (m_browser->source() == url)
        m_browser->scrollToAnchor(url.fragment()); // the user may have scrolled away since
    else
        m_browser->setSource(url);
}

QUrl HelpWindow::currentUrl() const
{
    return m_browser->source();
}

void HelpWindow::followLink(const QUrl &url)
{
    const QUrl target = url.isRelative() ? m_browser->source().resolved(url) : url;
    if (target.scheme() == QLatin1String("qrc"))
        m_browser->setSource(target);
    else
        BrowserOpener::open(this, target);
}

void HelpWindow::updateTitle()
{
    const QString page = m_browser->documentTitle();
    setWindowTitle(page.isEmpty() ? tr("Quillmarsh Help") : tr("Quillmarsh Help – %1").arg(page));
}

#include "AboutDialogController.h"

#include "AboutBoxView.h"
#include "gui/WindowPlacement.h"

#include <QCloseEvent>
#include <QTimer>
#include <QVBoxLayout>

AboutDialogController::AboutDialogController(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_view(new AboutBoxView(this)),
      m_fadeTimer(new QTimer(this))
{
    setObjectName(QStringLiteral("AboutDialog"));
    setWindowTitle(tr("About Quillmarsh"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_fadeTimer->setInterval(FadeStepInterval);
    connect(m_fadeTimer, &QTimer::timeout, this, &AboutDialogController::fadeStep);
    connect(m_view, &AboutBoxView::closeRequested, this, &AboutDialogController::requestClose);
}

void AboutDialogController::appear()
{
    m_fadeTimer->stop();
    m_closing = false;
    setWindowOpacity(1.0);
    adjustSize();
    // Centred, in the upper part of the screen.
    WindowPlacement::centerAtAlertPositionOfFullScreen(this);
    m_shownSince.start();
}

void AboutDialogController::showSplash()
{
    setWindowModality(Qt::NonModal);
    appear();
    show();
    raise();
    m_view->setFocus();
}

int AboutDialogController::exec()
{
    setWindowModality(Qt::ApplicationModal);
    appear();
    m_view->setFocus();
    return QDialog::exec();
}

void AboutDialogController::requestClose()
{
    if (m_closing || !isVisible())
        return;
    m_closing = true;
    const qint64 remaining = m_shownSince.isValid() ? MinimumShowTime - m_shownSince.elapsed() : 0;
    QTimer::singleShot(qMax<qint64>(0, remaining), this, [this] { m_fadeTimer->start(); });
}

void AboutDialogController::fadeStep()
{
    const qreal opacity = windowOpacity() - FadeStep;
    if (opacity > 0.001) {
        setWindowOpacity(opacity);
        return;
    }
    m_fadeTimer->stop();
    // done() hides the box and ends a modal run; for the splash it just hides it.
    QDialog::done(QDialog::Accepted);
    setWindowOpacity(1.0);
    m_closing = false;
}

void AboutDialogController::reject()
{
    requestClose();
}

void AboutDialogController::closeEvent(QCloseEvent *event)
{
    // The window manager's close also waits and fades.
    event->ignore();
    requestClose();
}

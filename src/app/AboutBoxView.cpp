#include "AboutBoxView.h"

#include "SystemInformation.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QSvgRenderer>

namespace {

QFont systemFont(qreal points, bool bold = false)
{
    QFont font = QApplication::font();
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

} // namespace

AboutBoxView::AboutBoxView(QWidget *parent)
    : QWidget(parent), m_backgroundImage(new QSvgRenderer(QStringLiteral(":/images/about.svg"), this)),
      m_copyrightFont(systemFont(9)), m_versionFont(systemFont(13)), m_labelFont(systemFont(11)),
      m_dataFont(systemFont(11, true)), m_operatingSystem(SystemInformation::operatingSystemString()),
      m_hardwareInformation(SystemInformation::hardwareInformationString())
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(sizeHint());
}

QSize AboutBoxView::sizeHint() const
{
    const QSize image = m_backgroundImage->defaultSize();
    return image.isValid() ? image : QSize(520, 300);
}

void AboutBoxView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.fillRect(rect(), QColor(0x16, 0x3a, 0x44));
    m_backgroundImage->render(&painter, QRectF(QPointF(0, 0), QSizeF(sizeHint())));

    // The places are measured from the bottom left corner of the picture, as its artwork is laid out.
    const int bottom = height();
    const int dataWidth = width() - 170 - 16;
    auto draw = [&](const QString &text, const QFont &font, int x, int y, int maxWidth = 0) {
        painter.setFont(font);
        const QString shown =
            maxWidth > 0 ? QFontMetrics(font).elidedText(text, Qt::ElideRight, maxWidth) : text;
        painter.drawText(QPoint(x, bottom - y), shown);
    };
    painter.setPen(Qt::white);
    draw(tr("Version %1").arg(QStringLiteral(QM_VERSION)), m_labelFont, 348, 269);
    draw(tr("Free software under the GNU GPL, version 3 or later, without any warranty."), m_copyrightFont,
         39, 56, width() - 39 - 16);
    draw(tr("Press Escape or click the mouse button to close this window."), m_copyrightFont, 39, 38);
    draw(tr("Operating System"), m_labelFont, 170, 140);
    draw(m_operatingSystem, m_dataFont, 170, 125, dataWidth);
    draw(tr("Hardware Information"), m_labelFont, 170, 95);
    draw(m_hardwareInformation, m_dataFont, 170, 80, dataWidth);
}

void AboutBoxView::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    emit closeRequested();
}

void AboutBoxView::keyPressEvent(QKeyEvent *event)
{
    event->accept();
    emit closeRequested();
}

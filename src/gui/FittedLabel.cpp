#include "FittedLabel.h"

#include "model/FontTextMeasurer.h"
#include "model/TextUtils.h"

FittedLabel::FittedLabel(QWidget *parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    setTextInteractionFlags(Qt::TextSelectableByMouse);
}

void FittedLabel::setFullText(const QString &text)
{
    m_fullText = text;
    fit();
}

QSize FittedLabel::minimumSizeHint() const
{
    return QSize(1, QLabel::minimumSizeHint().height());
}

void FittedLabel::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    fit();
}

void FittedLabel::fit()
{
    const qreal room = contentsRect().width() - 2 * margin() - 2;
    setText(TextUtils::truncatedStringWithMaximumWidth(m_fullText, room, FontTextMeasurer(font())));
    // The whole text stays one hover away when it had to be cut.
    setToolTip(text() == m_fullText ? QString() : m_fullText);
}

#include "FileChangedBar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

FileChangedBar::FileChangedBar(QWidget *parent)
    : QFrame(parent), m_text(new QLabel), m_buttonRow(new QHBoxLayout)
{
    setObjectName(QStringLiteral("fileChangedBar"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    // The tooltip colours are the theme's own "attention, but not an error" pair.
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::ToolTipBase));
    colours.setColor(QPalette::WindowText, colours.color(QPalette::ToolTipText));
    setPalette(colours);

    auto *icon = new QLabel;
    const int size = style()->pixelMetric(QStyle::PM_SmallIconSize);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(size, size));
    m_text->setWordWrap(true);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *layout = new QHBoxLayout(this);
    layout->addWidget(icon);
    layout->addWidget(m_text, 1);
    layout->addLayout(m_buttonRow);
    setAccessibleName(tr("File changed"));
    hide();
}

void FileChangedBar::ask(const QString &text, const QStringList &answers)
{
    m_text->setText(text);
    setAccessibleDescription(text);
    qDeleteAll(m_buttons);
    m_buttons.clear();
    for (qsizetype i = 0; i < answers.size(); ++i) {
        auto *button = new QPushButton(answers.at(i));
        m_buttonRow->addWidget(button);
        m_buttons.append(button);
        connect(button, &QPushButton::clicked, this, [this, i] {
            hide();
            emit answered(int(i));
        });
    }
    show();
}

QString FileChangedBar::text() const
{
    return m_text->text();
}

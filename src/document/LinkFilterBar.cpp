#include "LinkFilterBar.h"

#include "LinkListFilter.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSpinBox>
#include <QTabBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

LinkFilterBar::LinkFilterBar(LinkListFilter *filter, QWidget *parent)
    : QWidget(parent), m_filter(filter), m_field(new QLineEdit), m_viewBar(new QTabBar),
      m_daysField(new QSpinBox), m_countTimer(new QTimer(this))
{
    m_field->setObjectName(QStringLiteral("filterField"));
    m_field->setAccessibleName(tr("Filter links"));
    m_field->setPlaceholderText(tr("Filter links by name, address, description, contact or notes"));
    m_field->setClearButtonEnabled(true);
    // The field's clear button is a button of its own for screen readers.
    for (QToolButton *button : m_field->findChildren<QToolButton *>())
        button->setAccessibleName(tr("Clear Filter"));
    m_field->installEventFilter(this);
    connect(m_field, &QLineEdit::textChanged, m_filter, &LinkListFilter::setText);

    m_viewBar->setObjectName(QStringLiteral("viewBar"));
    m_viewBar->setAccessibleName(tr("Views"));
    m_viewBar->setDrawBase(false);
    m_viewBar->setExpanding(false);
    m_viewBar->setUsesScrollButtons(true);
    m_viewBar->setFocusPolicy(Qt::StrongFocus);
    for (const LinkView::Kind kind : LinkView::kinds())
        m_viewBar->setTabData(m_viewBar->addTab(LinkView::title(kind)), int(kind));
    connect(m_viewBar, &QTabBar::currentChanged, this, &LinkFilterBar::viewChosen);

    m_daysField->setObjectName(QStringLiteral("notCheckedDays"));
    m_daysField->setAccessibleName(tr("Days not checked"));
    m_daysField->setRange(1, LinkView::MaximumNotCheckedDays);
    m_daysField->setValue(LinkView::DefaultNotCheckedDays);
    m_daysField->setSuffix(tr(" days"));
    m_daysField->setToolTip(tr("\"Not Checked\" lists the links not checked for this many days"));
    connect(m_daysField, &QSpinBox::valueChanged, this, &LinkFilterBar::daysChanged);

    auto *views = new QHBoxLayout;
    views->setContentsMargins(0, 0, 0, 0);
    views->addWidget(m_viewBar, 1);
    views->addWidget(m_daysField);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 2);
    layout->setSpacing(2);
    layout->addWidget(m_field);
    layout->addLayout(views);
    setTabOrder(m_field, m_viewBar);
    setTabOrder(m_viewBar, m_daysField);

    m_countTimer->setSingleShot(true);
    m_countTimer->setInterval(0);
    connect(m_countTimer, &QTimer::timeout, this, &LinkFilterBar::updateCounts);
}

void LinkFilterBar::focusField()
{
    m_field->setFocus(Qt::ShortcutFocusReason);
    m_field->selectAll();
}

void LinkFilterBar::clear()
{
    m_field->clear();
    m_viewBar->setCurrentIndex(0);
    m_filter->clear();
}

void LinkFilterBar::scheduleCountUpdate()
{
    m_countTimer->start();
}

void LinkFilterBar::updateCounts()
{
    m_countTimer->stop();
    const QMap<LinkView::Kind, int> counts = m_filter->countsInCategory();
    for (int index = 0; index < m_viewBar->count(); ++index) {
        const auto kind = LinkView::Kind(m_viewBar->tabData(index).toInt());
        // "All" counts the category's links; the status line says how many show.
        m_viewBar->setTabText(index, tr("%1 (%L2)").arg(LinkView::title(kind)).arg(counts.value(kind)));
    }
}

bool LinkFilterBar::eventFilter(QObject *watched, QEvent *event)
{
    // Escape empties the field, before any shortcut of the window; an empty field lets it through.
    const bool escape = (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) &&
                        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape;
    if (watched == m_field && escape && !m_field->text().isEmpty()) {
        event->accept();
        if (event->type() == QEvent::KeyPress)
            m_field->clear();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void LinkFilterBar::viewChosen(int index)
{
    if (index < 0)
        return;
    m_filter->setChoice({LinkView::Kind(m_viewBar->tabData(index).toInt()), m_daysField->value()});
}

void LinkFilterBar::daysChanged(int days)
{
    LinkView::Choice choice = m_filter->choice();
    choice.days = days;
    m_filter->setChoice(choice);
    scheduleCountUpdate();
}

#include "DetailsView.h"

#include "gui/DocumentImages.h"
#include "gui/FittedLabel.h"
#include "model/Link.h"
#include "workflow/DetailsTexts.h"
#include "workflow/LinkForm.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedLayout>
#include <QSvgRenderer>
#include <QToolButton>

namespace {
constexpr int ImageSize = 16;
}

DetailsView::DetailsView(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAutoFillBackground(false);
    setMaximumHeight(PaneHeight);

    m_titleField = new FittedLabel(this);
    QFont titleFont = m_titleField->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.15);
    m_titleField->setFont(titleFont);
    m_statusField = new FittedLabel(this);
    m_notificationsField = new FittedLabel(this);
    m_descriptionField = new QLabel(this);
    m_descriptionField->setTextFormat(Qt::PlainText);
    m_descriptionField->setWordWrap(true);
    m_descriptionField->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_descriptionField->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    m_descriptionField->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_mainPageURLField = new FittedLabel(this);
    m_linksPageURLField = new FittedLabel(this);
    m_myCategoryField = new FittedLabel(this);
    m_keywordsField = new FittedLabel(this);
    m_contactField = new FittedLabel(this);
    m_lastCheckField = new FittedLabel(this);
    m_lastContactField = new FittedLabel(this);
    m_notesField = new QLabel(this);
    m_notesField->setTextFormat(Qt::PlainText);
    m_notesField->setWordWrap(true);
    m_notesField->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_notesField->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    m_notesField->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_statusImage = new QLabel(this);
    m_statusImage->setFixedSize(ImageSize, ImageSize);
    m_notificationsImage = new QLabel(this);
    m_notificationsImage->setFixedSize(ImageSize, ImageSize);

    m_showLinkInfoButton = makeButton(tr("Edit..."), tr("Edit this link"), &DetailsView::showLinkInfoClicked);
    m_showExchangeInfoButton = makeButton(tr("Exchange..."), tr("Show the exchange information"),
                                          &DetailsView::showExchangeInfoClicked);
    m_showAllNotificationsButton =
        makeButton(tr("Notifications..."), tr("Show all notifications of this link"),
                   &DetailsView::showAllNotificationsClicked);
    m_testMainPageURLButton = makeButton(tr("Visit"), tr("Open the partner's site in the browser"),
                                         &DetailsView::testMainPageURLClicked);
    m_testLinksPageURLButton = makeButton(tr("Visit"), tr("Open the partner's links page in the browser"),
                                          &DetailsView::testLinksPageURLClicked);
    m_showAllNotesButton =
        makeButton(tr("Notes..."), tr("Show the notes of this link"), &DetailsView::showAllNotesClicked);

    m_sendMessageMenu = new QMenu(this);
    m_sendMessagePopup = new QToolButton(this);
    m_sendMessagePopup->setText(tr("Send Message"));
    m_sendMessagePopup->setToolTip(tr("Write to the partner's webmaster"));
    m_sendMessagePopup->setPopupMode(QToolButton::InstantPopup);
    m_sendMessagePopup->setMenu(m_sendMessageMenu);
    m_sendMessagePopup->setToolButtonStyle(Qt::ToolButtonTextOnly);

    // Squeezed below its height the pane scrolls rather than overlapping its fields.
    m_content = new QWidget;
    auto *scroller = new QScrollArea(this);
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setWidgetResizable(true);
    scroller->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroller->viewport()->setAutoFillBackground(false);
    scroller->setWidget(m_content);
    m_content->setAutoFillBackground(false); // the pane's own background shows through
    m_placeholder = new QLabel(this);
    m_placeholder->setAlignment(Qt::AlignCenter);
    QPalette quiet = m_placeholder->palette();
    quiet.setColor(QPalette::WindowText, quiet.color(QPalette::PlaceholderText));
    m_placeholder->setPalette(quiet);
    QFont large = m_placeholder->font();
    large.setPointSizeF(large.pointSizeF() * 1.3);
    m_placeholder->setFont(large);
    m_pages = new QStackedLayout(this);
    m_pages->addWidget(scroller);
    m_pages->addWidget(m_placeholder);
    m_scroller = scroller;

    auto *grid = new QGridLayout(m_content);
    grid->setContentsMargins(12, 8, 10, 8);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(3);
    grid->setColumnStretch(2, 1);

    int row = 0;
    grid->addWidget(m_titleField, row, 0, 1, 3);
    grid->addWidget(m_showLinkInfoButton, row++, 3);
    grid->addWidget(m_statusImage, row, 0, Qt::AlignCenter);
    grid->addWidget(m_statusField, row, 1, 1, 2);
    grid->addWidget(m_showExchangeInfoButton, row++, 3);
    grid->addWidget(m_notificationsImage, row, 0, Qt::AlignCenter);
    grid->addWidget(m_notificationsField, row, 1, 1, 2);
    grid->addWidget(m_showAllNotificationsButton, row++, 3);
    grid->addWidget(m_descriptionField, row, 0, 1, 4);
    grid->setRowStretch(row++, 1);
    grid->addWidget(makeCaption(tr("URL:")), row, 0, 1, 2);
    grid->addWidget(m_mainPageURLField, row, 2);
    grid->addWidget(m_testMainPageURLButton, row++, 3);
    grid->addWidget(makeCaption(tr("Links page:")), row, 0, 1, 2);
    grid->addWidget(m_linksPageURLField, row, 2);
    grid->addWidget(m_testLinksPageURLButton, row++, 3);
    grid->addWidget(captionOf(m_lastCheckField, tr("Last check:")), row, 0, 1, 2);
    grid->addWidget(m_lastCheckField, row++, 2, 1, 2);
    grid->addWidget(captionOf(m_lastContactField, tr("Last contact:")), row, 0, 1, 2);
    grid->addWidget(m_lastContactField, row++, 2, 1, 2);
    grid->addWidget(captionOf(m_myCategoryField, tr("My category:")), row, 0, 1, 2);
    grid->addWidget(m_myCategoryField, row++, 2, 1, 2);
    grid->addWidget(captionOf(m_keywordsField, tr("Keywords:")), row, 0, 1, 2);
    grid->addWidget(m_keywordsField, row++, 2, 1, 2);
    grid->addWidget(captionOf(m_contactField, tr("Contact:")), row, 0, 1, 2);
    grid->addWidget(m_contactField, row, 2);
    grid->addWidget(m_sendMessagePopup, row++, 3);
    grid->addWidget(captionOf(m_notesField, tr("Notes:")), row, 0, 1, 2, Qt::AlignTop);
    grid->addWidget(m_notesField, row, 2);
    grid->addWidget(m_showAllNotesButton, row, 3, Qt::AlignTop);
    grid->setRowStretch(row, 1);

    // One width for the whole column of buttons.
    int widest = m_sendMessagePopup->sizeHint().width();
    for (QPushButton *button : {m_showLinkInfoButton, m_showExchangeInfoButton, m_showAllNotificationsButton,
                                m_testMainPageURLButton, m_testLinksPageURLButton, m_showAllNotesButton})
        widest = qMax(widest, button->sizeHint().width());
    for (QWidget *button :
         {static_cast<QWidget *>(m_sendMessagePopup), static_cast<QWidget *>(m_showLinkInfoButton),
          static_cast<QWidget *>(m_showExchangeInfoButton),
          static_cast<QWidget *>(m_showAllNotificationsButton),
          static_cast<QWidget *>(m_testMainPageURLButton), static_cast<QWidget *>(m_testLinksPageURLButton),
          static_cast<QWidget *>(m_showAllNotesButton)})
        button->setMinimumWidth(widest);

    showLink(nullptr, QString());
    setMinimumHeight(MinimumPaneHeight);
}

QPushButton *DetailsView::makeButton(const QString &text, const QString &toolTip,
                                     void (DetailsView::*signal)())
{
    auto *button = new QPushButton(text, this);
    button->setToolTip(toolTip);
    button->setAutoDefault(false);
    button->setFocusPolicy(Qt::TabFocus);
    connect(button, &QPushButton::clicked, this, signal);
    return button;
}

QLabel *DetailsView::makeCaption(const QString &text)
{
    auto *caption = new QLabel(text, this);
    caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QPalette palette = caption->palette();
    palette.setColor(QPalette::WindowText, palette.color(QPalette::PlaceholderText));
    caption->setPalette(palette);
    return caption;
}

QLabel *DetailsView::captionOf(QWidget *field, const QString &text)
{
    QLabel *caption = makeCaption(text);
    m_captions.insert(field, caption);
    return caption;
}

void DetailsView::showIfGiven(QWidget *field, bool given)
{
    // An empty field says nothing, nor does its caption; the buttons beside it stay.
    field->setVisible(given);
    if (QLabel *caption = m_captions.value(field))
        caption->setVisible(given);
}

void DetailsView::setPlaceholderText(const QString &text)
{
    m_placeholder->setText(text);
}

void DetailsView::showLink(const Link *link, const QString &firstNotification)
{
    // Without one link the fields are emptied and a short note stands in their place.
    m_pages->setCurrentWidget(link ? static_cast<QWidget *>(m_scroller) : m_placeholder);
    if (!link) {
        for (FittedLabel *field :
             {m_titleField, m_statusField, m_notificationsField, m_mainPageURLField, m_linksPageURLField,
              m_myCategoryField, m_keywordsField, m_contactField, m_lastCheckField, m_lastContactField})
            field->setFullText(QString());
        m_descriptionField->clear();
        m_notesField->clear();
        m_statusImage->clear();
        m_notificationsImage->clear();
        setButtonsEnabled(false, false, false, false, false, false, false);
        return;
    }
    m_titleField->setFullText(link->title());
    m_statusField->setFullText(DetailsTexts::statusName(link->status()));
    const QString statusImage = DetailsTexts::statusImage(link->status());
    if (statusImage.isEmpty())
        m_statusImage->clear();
    else
        m_statusImage->setPixmap(DocumentImages::icon(statusImage).pixmap(ImageSize, ImageSize));
    if (firstNotification.isNull()) {
        m_notificationsImage->clear();
        m_notificationsField->setFullText(QString());
    } else {
        m_notificationsImage->setPixmap(
            DocumentImages::icon(QStringLiteral("warning")).pixmap(ImageSize, ImageSize));
        m_notificationsField->setFullText(firstNotification);
    }
    m_descriptionField->setText(link->description());
    showIfGiven(m_descriptionField, !link->description().isEmpty());
    m_mainPageURLField->setFullText(link->URL());
    // An empty links page is stored as "http://": it reads as not given and offers no visit.
    const bool noLinksPage = LinkForm::isMissingURL(link->counterpartURL());
    m_linksPageURLField->setFullText(noLinksPage ? tr("Not given") : link->counterpartURL());
    m_linksPageURLField->setEnabled(!noLinksPage);
    m_testLinksPageURLButton->setVisible(!noLinksPage);
    m_myCategoryField->setFullText(link->counterpartCategoryName());
    showIfGiven(m_myCategoryField, !m_myCategoryField->fullText().isEmpty());
    m_keywordsField->setFullText(link->keywords());
    showIfGiven(m_keywordsField, !m_keywordsField->fullText().isEmpty());
    m_contactField->setFullText(DetailsTexts::contactLine(*link));
    showIfGiven(m_contactField, !m_contactField->fullText().isEmpty());
    m_notesField->setText(link->notes());
    showIfGiven(m_notesField, !link->notes().isEmpty());
}

void DetailsView::setLastCheck(const QString &text)
{
    m_lastCheckField->setFullText(text);
    showIfGiven(m_lastCheckField, !text.isEmpty());
}

void DetailsView::setLastContact(const QString &text)
{
    m_lastContactField->setFullText(text);
    showIfGiven(m_lastContactField, !text.isEmpty());
}

void DetailsView::setButtonsEnabled(bool linkInfo, bool exchangeInfo, bool notifications, bool visitSite,
                                    bool visitLinksPage, bool notes, bool sendMessage)
{
    m_showLinkInfoButton->setEnabled(linkInfo);
    m_showExchangeInfoButton->setEnabled(exchangeInfo);
    m_showAllNotificationsButton->setEnabled(notifications);
    m_testMainPageURLButton->setEnabled(visitSite);
    m_testLinksPageURLButton->setEnabled(visitLinksPage);
    m_showAllNotesButton->setEnabled(notes);
    m_sendMessagePopup->setEnabled(sendMessage);
}

void DetailsView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    // The translucent background image lies on the palette's colour, tiled along the bottom edge.
    if (m_background.isNull() || m_background.devicePixelRatio() != devicePixelRatioF()) {
        QSvgRenderer renderer(QStringLiteral(":/images/details.svg"));
        if (renderer.isValid()) {
            m_background = QPixmap(renderer.defaultSize() * devicePixelRatioF());
            m_background.setDevicePixelRatio(devicePixelRatioF());
            m_background.fill(Qt::transparent);
            QPainter imagePainter(&m_background);
            renderer.render(&imagePainter, QRectF(QPointF(), QSizeF(renderer.defaultSize())));
        }
    }
    if (!m_background.isNull()) {
        const QSize natural = m_background.deviceIndependentSize().toSize();
        const QRect image(QPoint(width() - natural.width(), height() - natural.height()), natural);
        // Above the image the pane carries on in the colour of the image's top edge.
        if (image.y() > 0)
            painter.fillRect(QRect(0, 0, width(), image.y()), m_background.toImage().pixelColor(0, 0));
        // The reeds once, in the bottom right corner; to their left the image's plain first column
        // carries the wash across the pane.
        if (image.x() > 0) {
            const qreal ratio = m_background.devicePixelRatio();
            painter.drawPixmap(QRectF(0, image.y(), image.x(), natural.height()), m_background,
                               QRectF(0, 0, ratio, natural.height() * ratio));
        }
        painter.drawPixmap(image, m_background);
    }
    // A light line on the left edge and a darker one on top set the pane apart from the list.
    painter.setPen(QColor::fromRgbF(0.75, 0.75, 0.75));
    painter.drawLine(0, 0, 0, height() - 1);
    painter.setPen(QColor::fromRgbF(0.63, 0.63, 0.63));
    painter.drawLine(0, 0, width(), 0);
}

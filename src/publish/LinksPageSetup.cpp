#include "LinksPageSetup.h"

#include "HTMLBuilder.h"
#include "LinksPageStyle.h"
#include "Themes.h"

#include "model/CollectionManager.h"
#include "model/TextUtils.h"

void LinksPageSetup::initializeFields(int layout, int targetNew, const QList<NamedString> &namedStrings,
                                      bool exportNewLinks, bool exportNegotiatingLinks)
{
    m_namedStrings.clear();
    loadTheme(Themes::Default);
    for (const NamedString &entry : namedStrings)
        setString(entry.value(), entry.name());
    setLayout(stringForName(LinksPageStyle::PageLayoutKey) == LinksPageStyle::ResponsiveLayout
                  ? ResponsiveLayout
                  : layout);
    setTargetNew(targetNew);
    m_exportNewLinks = exportNewLinks;
    m_exportNegotiatingLinks = exportNegotiatingLinks;
}

void LinksPageSetup::initializeFromCollectionManager(const CollectionManager &collectionManager)
{
    const SelfInfo &profile = collectionManager.selfInfo();
    initializeFields(profile.renderMode(), collectionManager.targetNew(), collectionManager.namedStrings(),
                     profile.exportNewLinks(), profile.exportNegotiatingLinks());
}

void LinksPageSetup::setLayout(int layout)
{
    m_layout = layout == 2 || layout == ResponsiveLayout ? layout : 1;
    // The choice travels as a named string; a database that never chose the responsive page keeps
    // none, so its file stays as it was.
    if (m_layout == ResponsiveLayout)
        setString(LinksPageStyle::ResponsiveLayout, LinksPageStyle::PageLayoutKey);
    else if (!stringForName(LinksPageStyle::PageLayoutKey).isNull())
        setString(LinksPageStyle::TableLayout, LinksPageStyle::PageLayoutKey);
}

void LinksPageSetup::setString(const QString &value, const QString &name)
{
    NamedStringList::setString(m_namedStrings, value, name);
}

QString LinksPageSetup::stringForName(const QString &name) const
{
    return NamedStringList::stringForName(m_namedStrings, name);
}

QString LinksPageSetup::styleTextForTag(int tag) const
{
    const LinksPageStyle::Style *style = LinksPageStyle::styleWithTag(tag);
    if (!style)
        return QString();
    const QString value = stringForName(style->key);
    return value.isNull() ? style->defaultText : value;
}

void LinksPageSetup::saveStyleText(int tag, const QString &text)
{
    const QString key = LinksPageStyle::keyForTag(tag);
    if (key.isNull())
        return;
    // A text view may hand back a null string when empty; an emptied style is still a stored "".
    setString(text.isNull() ? QStringLiteral("") : TextUtils::oneLineString(text), key);
}

bool LinksPageSetup::loadTheme(int theme)
{
    const QList<NamedString> styles = Themes::stylesOfTheme(theme);
    if (styles.isEmpty())
        return false;
    for (const NamedString &entry : styles)
        setString(entry.value(), entry.name());
    return true;
}

QString LinksPageSetup::previewHTML(const QString &samplePage) const
{
    QString page = samplePage;
    for (const LinksPageStyle::Style &style : LinksPageStyle::styles()) {
        const QString value = stringForName(style.key);
        TextUtils::replaceOccurencesOfString(page, QStringLiteral("#%1#").arg(style.key),
                                             value.isNull() ? style.defaultText
                                                            : HTMLBuilder::styleText(value));
    }
    return page;
}

void LinksPageSetup::applyTo(CollectionManager &collectionManager) const
{
    collectionManager.setNamedStrings(m_namedStrings);
    collectionManager.setTargetNew(m_targetNew);
    collectionManager.setPublishingSettings(renderMode(), m_exportNewLinks, m_exportNegotiatingLinks);
}

int LinksPageSetup::renderMode() const
{
    // The responsive page is one page.
    return m_layout == 2 ? 2 : 1;
}

bool LinksPageSetup::changes(const CollectionManager &collectionManager) const
{
    const SelfInfo &profile = collectionManager.selfInfo();
    if (profile.renderMode() != renderMode() || profile.exportNewLinks() != m_exportNewLinks ||
        profile.exportNegotiatingLinks() != m_exportNegotiatingLinks)
        return true;
    // A missing string and a stored empty one differ: the page shows the default for the first.
    auto differs = [&collectionManager](const QString &name, const QString &value) {
        const QString stored = collectionManager.stringForName(name);
        return stored.isNull() || stored != value;
    };
    for (const NamedString &entry : m_namedStrings) {
        if (entry.name() != LinksPageStyle::TargetNewKey && differs(entry.name(), entry.value()))
            return true;
    }
    return differs(LinksPageStyle::TargetNewKey,
                   m_targetNew == 2 ? QStringLiteral("NO") : QStringLiteral("YES"));
}

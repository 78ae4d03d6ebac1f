#pragma once

#include "model/NamedString.h"

#include <QList>
#include <QString>

class CollectionManager;

// The working copy behind the links page setup sheet: the layout, the target-window choice, the two
// publishing flags and the named strings with the eight style texts. Nothing reaches the database
// until `applyTo` runs for a confirmed sheet.
class LinksPageSetup
{
public:
    LinksPageSetup() = default;

    // Starts over: the Default theme, then every given named string by name (so other names, such as
    // "TargetNew", are carried along). A "PageLayout" of "responsive" among them chooses layout 3
    // whatever `layout` says.
    void initializeFields(int layout, int targetNew, const QList<NamedString> &namedStrings,
                          bool exportNewLinks, bool exportNegotiatingLinks);
    // The same from the database's current settings.
    void initializeFromCollectionManager(const CollectionManager &collectionManager);

    // Replaces any entry of that name by a new one at the end; a null value or name changes nothing.
    void setString(const QString &value, const QString &name);
    QString stringForName(const QString &name) const; // null when missing
    const QList<NamedString> &namedStrings() const { return m_namedStrings; }

    // The text of a style tag (1 to 8): the working value, or the key's default when there is none.
    QString styleTextForTag(int tag) const;
    // Keeps an edited text flattened to one line; a tag outside 1 to 8 stores nothing.
    void saveStyleText(int tag, const QString &text);
    // Sets all eight style keys to the theme's values; false (nothing changed) outside 1 to 5.
    bool loadTheme(int theme);

    // The sample page with every "#Key#" placeholder of the eight style keys replaced by its text.
    QString previewHTML(const QString &samplePage) const;

    // 1 single page, 2 one page per category (the site profile's render modes), 3 the responsive page
    // (kept as the named string "PageLayout").
    static constexpr int ResponsiveLayout = 3;
    int layout() const { return m_layout; }
    void setLayout(int layout);
    int targetNew() const { return m_targetNew; }
    void setTargetNew(int targetNew) { m_targetNew = targetNew == 2 ? 2 : 1; }
    bool exportNewLinks() const { return m_exportNewLinks; }
    void setExportNewLinks(bool on) { m_exportNewLinks = on; }
    bool exportNegotiatingLinks() const { return m_exportNegotiatingLinks; }
    void setExportNegotiatingLinks(bool on) { m_exportNegotiatingLinks = on; }

    // What a confirmed sheet changes: the named strings merged by name (other stored names stay),
    // "TargetNew", the layout and the two publishing flags.
    void applyTo(CollectionManager &collectionManager) const;
    // Whether `applyTo` would change a value of the database (a sheet confirmed as it was opened
    // changes nothing); the order of the named strings does not count.
    bool changes(const CollectionManager &collectionManager) const;

private:
    int renderMode() const; // the site profile's layout for m_layout

    QList<NamedString> m_namedStrings;
    int m_layout = 1;
    int m_targetNew = 1;
    bool m_exportNewLinks = true;
    bool m_exportNegotiatingLinks = true;
};

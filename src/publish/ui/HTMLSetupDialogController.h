#pragma once

#include "publish/LinksPageSetup.h"

#include <QDialog>
#include <memory>

class QAbstractButton;
class QComboBox;
class QPlainTextEdit;
class QTabWidget;

namespace Ui {
class HTMLSetupDialog;
}

// The links page setup sheet: the layout, where partner links open, which links are published,
// and the eight style texts with the five themes and a preview in the browser. It works on its own
// copy of the settings; the document writes them into the database when the sheet ends with 1.
class HTMLSetupDialogController : public QDialog
{
    Q_OBJECT

public:
    enum Tab
    {
        ContentTab = 0,
        StylesTab = 1
    };

    explicit HTMLSetupDialogController(QWidget *parent);
    ~HTMLSetupDialogController() override;

    // Starts over from these settings (layout 1 or 2, or 3 for the responsive page; target 1 new
    // window or 2 same window), on the first tab with the first style shown.
    void initializeFields(int layout, int targetNew, const QList<NamedString> &namedStrings,
                          bool exportNewLinks, bool exportNegotiatingLinks);

    // --- Results of a confirmed sheet
    // The whole working copy with the choices of the first tab: what a confirmed sheet writes.
    LinksPageSetup setup() const;
    const QList<NamedString> &namedStrings() const { return m_setup.namedStrings(); }
    int layout() const;
    int targetNew() const;
    bool exportNewLinks() const;
    bool exportNegotiatingLinks() const;

    // --- The style pop-up and its text
    int selectedStyle() const; // tag 1 to 8 of the style shown
    void selectStyle(int tag);
    QString stringForName(const QString &name) const { return m_setup.stringForName(name); }
    QPlainTextEdit *styleTextView() const;
    QComboBox *editStylePopup() const;
    QTabWidget *tabView() const;
    // The button that loads theme 1 to 5, or null.
    QAbstractButton *themeButton(int theme) const;

public slots:
    // Asks, then sets all eight styles to the theme's; true when it was loaded.
    bool loadPreset(int theme);
    // Writes the sample page with the working styles and opens it in the browser.
    bool preview();
    void confirm();
    void cancel();

private:
    void changeStyle();
    void saveStyleTextViewForStyle(int tag);
    void fillStyleTextView();
    void doHelp();

    std::unique_ptr<Ui::HTMLSetupDialog> m_ui;
    LinksPageSetup m_setup;
    int m_previousStyle = 1;
};

#include "PreviewPage.h"

#include "LinksPageSetup.h"
#include "ResponsivePageBuilder.h"

#include "model/CollectionManager.h"
#include "model/DatabaseJson.h"

#include "model/TemporaryFolder.h"
#include "model/TextUtils.h"
#include "model/UrlOpener.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QUrl>

namespace PreviewPage {

namespace {
const QString FileName = QStringLiteral("preview.html");
}

QString samplePage()
{
    return TextUtils::stringWithContentsOfResource(QStringLiteral("preview"), QStringLiteral("html"));
}

QString previewHTML(const LinksPageSetup &setup)
{
    if (setup.layout() != LinksPageSetup::ResponsiveLayout) {
        const QString sample = samplePage();
        return sample.isNull() ? QString() : setup.previewHTML(sample);
    }
    const QString json =
        TextUtils::stringWithContentsOfResource(QStringLiteral("preview-site"), QStringLiteral("json"));
    CollectionManager sample;
    if (json.isNull() || !DatabaseJson::fromJson(QJsonDocument::fromJson(json.toUtf8()).object(), sample))
        return QString();
    setup.applyTo(sample);
    return ResponsivePageBuilder(sample).page();
}

QString tempFilePath(QString *error)
{
    return TemporaryFolder::filePath(FileName, error);
}

QString write(const LinksPageSetup &setup, QString *error)
{
    const QString page = previewHTML(setup);
    if (page.isNull()) {
        if (error)
            *error = QCoreApplication::translate("PreviewPage", "The sample page is missing.");
        return QString();
    }
    if (!TemporaryFolder::writeFile(FileName, page.toUtf8(), error))
        return QString();
    return tempFilePath(error);
}

bool show(const LinksPageSetup &setup, QString *error)
{
    const QString path = write(setup, error);
    return !path.isEmpty() && UrlOpener::instance().openUrl(QUrl::fromLocalFile(path));
}

} // namespace PreviewPage

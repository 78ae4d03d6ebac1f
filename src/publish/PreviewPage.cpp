#include "PreviewPage.h"

#include "LinksPageSetup.h"

#include "model/TemporaryFolder.h"
#include "model/TextUtils.h"
#include "model/UrlOpener.h"

#include <QCoreApplication>
#include <QUrl>

namespace PreviewPage {

namespace {
const QString FileName = QStringLiteral("preview.html");
}

QString samplePage()
{
    return TextUtils::stringWithContentsOfResource(QStringLiteral("preview"), QStringLiteral("html"));
}

QString tempFilePath(QString *error)
{
    return TemporaryFolder::filePath(FileName, error);
}

QString write(const LinksPageSetup &setup, QString *error)
{
    const QString sample = samplePage();
    if (sample.isNull()) {
        if (error)
            *error = QCoreApplication::translate("PreviewPage", "The sample page is missing.");
        return QString();
    }
    if (!TemporaryFolder::writeFile(FileName, setup.previewHTML(sample).toUtf8(), error))
        return QString();
    return tempFilePath(error);
}

bool show(const LinksPageSetup &setup, QString *error)
{
    const QString path = write(setup, error);
    return !path.isEmpty() && UrlOpener::instance().openUrl(QUrl::fromLocalFile(path));
}

} // namespace PreviewPage

#include "ClipboardWriter.h"

#include "model/TextUtils.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace ClipboardWriter {

namespace {

void setClipboard(QMimeData *data)
{
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        delete data;
        return;
    }
    QGuiApplication::clipboard()->setMimeData(data); // the clipboard takes ownership
}

} // namespace

QMimeData *mimeDataForText(const QString &text)
{
    auto *data = new QMimeData;
    data->setText(text);
    data->setData(QStringLiteral("text/rtf"), TextUtils::RTFData(text));
    return data;
}

QMimeData *mimeDataForPage(const QString &html)
{
    QMimeData *data = mimeDataForText(html);
    data->setHtml(html);
    return data;
}

QMimeData *mimeDataForPdf(const QByteArray &pdf, const QImage &image)
{
    auto *data = new QMimeData;
    data->setData(QStringLiteral("application/pdf"), pdf);
    if (!image.isNull()) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        data->setData(QStringLiteral("image/png"), png);
    }
    return data;
}

void copyText(const QString &text)
{
    setClipboard(mimeDataForText(text));
}

void copyPage(const QString &html)
{
    setClipboard(mimeDataForPage(html));
}

void copyPdf(const QByteArray &pdf, const QImage &image)
{
    setClipboard(mimeDataForPdf(pdf, image));
}

} // namespace ClipboardWriter

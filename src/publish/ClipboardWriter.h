#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

class QMimeData;

// Puts the publishing copies on the system clipboard. Does nothing without a QGuiApplication.
namespace ClipboardWriter {

// Plain text with its rich-text companion ("text/rtf").
QMimeData *mimeDataForText(const QString &text);
// HTML source: the same text also as "text/html", so that a rich-text editor receives the page
// itself and a plain-text editor its source.
QMimeData *mimeDataForPage(const QString &html);
// A vector image as "application/pdf" with a bitmap ("image/png") for programs that cannot read PDF.
QMimeData *mimeDataForPdf(const QByteArray &pdf, const QImage &image);

void copyText(const QString &text);
void copyPage(const QString &html);
void copyPdf(const QByteArray &pdf, const QImage &image);

} // namespace ClipboardWriter

#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

class QMimeData;

// Puts the publishing copies on the system clipboard. Does nothing without a QGuiApplication.
namespace ClipboardWriter {

// Plain text with its rich-text companion ("text/rtf").
QMimeData *mimeDataForText(const QString &text);
// A vector image as "application/pdf" with a bitmap ("image/png") for programs that cannot read PDF.
QMimeData *mimeDataForPdf(const QByteArray &pdf, const QImage &image);

void copyText(const QString &text);
void copyPdf(const QByteArray &pdf, const QImage &image);

} // namespace ClipboardWriter

#include "PageSource.h"

#include "model/DatabaseFile.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QPageLayout>
#include <QPdfWriter>

QByteArray PageSource::pdfData() const
{
    const QSizeF paper = paperSize();
    const bool landscape = paper.width() > paper.height();
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    bool drawn = false;
    {
        QPdfWriter writer(&buffer);
        writer.setPageLayout(QPageLayout(QPageSize(landscape ? paper.transposed() : paper, QPageSize::Point),
                                         landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                         QMarginsF(0, 0, 0, 0)));
        writer.setTitle(jobTitle());
        writer.setCreator(QStringLiteral("Quillmarsh"));
        drawn = print(writer);
    }
    return drawn ? pdf : QByteArray();
}

bool PageSource::writePdf(const QString &path, FileError *error) const
{
    const QByteArray pdf = pdfData();
    if (pdf.isEmpty())
        return FileError::fail(error, FileError::Kind::NotMade,
                               QCoreApplication::translate("PageSource", "The pages could not be drawn."));
    return DatabaseFile::writeAtomically(path, pdf, error);
}

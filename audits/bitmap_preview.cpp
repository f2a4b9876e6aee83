#include "audits/bitmap_preview.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>

QString bitmapPreview(const QString& path)
{
    const QString name = QFileInfo(path).fileName().toHtmlEscaped();
    QImageReader reader(path);
    // A bitmap that claims a size says so before its pixels are read; one
    // larger than the preview is read scaled down.
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > kPreviewSide || size.height() > kPreviewSide))
        reader.setScaledSize(size.scaled(kPreviewSide, kPreviewSide, Qt::KeepAspectRatio).expandedTo({1, 1}));
    const QImage image = reader.read();
    if (image.isNull())
        return QStringLiteral("<p>%1 cannot be shown: %2</p>").arg(name, reader.errorString().toHtmlEscaped());

    // The tooltip reads the picture from the text itself.
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return QStringLiteral("<img src=\"data:image/png;base64,%1\" width=\"%2\" height=\"%3\"><br>%4")
        .arg(QString::fromLatin1(png.toBase64()))
        .arg(image.width())
        .arg(image.height())
        .arg(name);
}

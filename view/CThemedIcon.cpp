#include "view/CThemedIcon.h"

#include <QFileInfo>
#include <QImage>

#include <algorithm>

bool CThemedIcon::IsDark(const QColor& background)
{
    // Darker than a middle grey, by HSL lightness.
    return background.lightnessF() < 0.45;
}

QImage CThemedIcon::ForDark(const QImage& image)
{
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const QColor colour = QColor::fromRgba(line[x]);
            if (colour.alpha() == 0)
                continue;
            float hue = 0;
            float saturation = 0;
            float lightness = 0;
            float alpha = 1;
            colour.getHslF(&hue, &saturation, &lightness, &alpha);
            // Greys (outlines, paper) turn over; colours keep their hue and
            // get at least a middle lightness.
            const float lifted = saturation < 0.25f ? 1.0f - lightness : std::max(lightness, 0.6f);
            line[x] = QColor::fromHslF(hue, saturation, lifted, alpha).rgba();
        }
    }
    return out;
}

QIcon CThemedIcon::For(const QString& resource, const QPalette& palette)
{
    if (!IsDark(palette.color(QPalette::Window)))
        return QIcon(resource);
    QIcon icon;
    QString twice = resource;
    twice.insert(resource.lastIndexOf(QLatin1Char('.')), QStringLiteral("@2x"));
    for (const QString& path : {resource, twice}) {
        const QImage image(path);
        if (!image.isNull())
            icon.addPixmap(QPixmap::fromImage(ForDark(image)));
    }
    return icon;
}

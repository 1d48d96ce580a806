#pragma once

#include <QColor>
#include <QIcon>
#include <QPalette>
#include <QString>

// Icons that read on the palette they are shown on. The toolbar's pictures
// are drawn dark, for a light window; on a dark window their greys are
// turned over (black to white) and their colours lifted, so an enabled
// button never looks like a disabled one.
class CThemedIcon final
{
public:
    // The icon of a resource (with its @2x form when there is one) for a
    // palette.
    static QIcon For(const QString& resource, const QPalette& palette);
    // Whether a background colour is dark: text in the usual dark colours
    // would not read on it.
    static bool IsDark(const QColor& background);
    // An image's pixels made to read on a dark background.
    static QImage ForDark(const QImage& image);

private:
    CThemedIcon() = delete;
};

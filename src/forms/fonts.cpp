#include "forms/fonts.h"

#include <QStringList>

namespace virdamo::forms {

QString installedFace(const QString& designFace)
{
    const QString name = designFace.trimmed().toLower();
    if (name == QLatin1String("courier") || name == QLatin1String("courier new")) {
        return QStringLiteral("Liberation Mono");
    }
    if (name == QLatin1String("arial")) {
        return QStringLiteral("Liberation Sans");
    }
    if (name == QLatin1String("verdana")) {
        return QStringLiteral("DejaVu Sans");
    }
    return designFace;
}

QFont makeFont(const FontSpec& spec)
{
    QFont font;
    QStringList families{installedFace(spec.family)};
    if (spec.fixedPitch) {
        // Rows of digits line up only in a fixed-pitch face: should the installed face be
        // missing, the stand-ins are fixed-pitch too.
        families << QStringLiteral("DejaVu Sans Mono") << QStringLiteral("monospace");
        font.setStyleHint(QFont::TypeWriter);
        font.setFixedPitch(true);
    } else {
        families << QStringLiteral("DejaVu Sans") << QStringLiteral("sans-serif");
        font.setStyleHint(QFont::SansSerif);
    }
    font.setFamilies(families);
    font.setPointSizeF(spec.pointSize);
    font.setBold(spec.bold);
    return font;
}

}  // namespace virdamo::forms

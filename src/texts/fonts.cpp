#include "texts/fonts.h"

#include <QFontInfo>
#include <QStringList>

#include <algorithm>

namespace virdamo::texts {

using namespace Qt::StringLiterals;

QString installedFace(const QString& designFace)
{
    const QString name = designFace.trimmed().toLower();
    if (name == QLatin1String("courier") || name == QLatin1String("courier new")) {
        return u"Liberation Mono"_s;
    }
    if (name == QLatin1String("arial")) {
        return u"Liberation Sans"_s;
    }
    if (name == QLatin1String("verdana")) {
        return u"DejaVu Sans"_s;
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
        families << u"DejaVu Sans Mono"_s << u"monospace"_s;
        font.setStyleHint(QFont::TypeWriter);
        font.setFixedPitch(true);
    } else {
        families << u"DejaVu Sans"_s << u"sans-serif"_s;
        font.setStyleHint(QFont::SansSerif);
    }
    font.setFamilies(families);
    font.setPointSizeF(spec.pointSize);
    font.setBold(spec.bold);
    return font;
}

QRawFont unshapedFace(const QFont& font)
{
    return QFontInfo(font).fixedPitch() ? QRawFont::fromFont(font) : QRawFont();
}

std::optional<QGlyphRun> unshapedRun(const QRawFont& face, const QString& text)
{
    const bool plain =
        std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x20 && c.unicode() < 0x7f; });
    if (!face.isValid() || !plain || text.isEmpty()) {
        return std::nullopt;
    }
    const QList<quint32> indexes = face.glyphIndexesForString(text);
    if (indexes.contains(0U)) {
        return std::nullopt;
    }
    const QList<QPointF> advances = face.advancesForGlyphIndexes(indexes);
    QList<QPointF> positions;
    positions.reserve(advances.size());
    qreal x = 0.0;
    for (const QPointF& advance : advances) {
        positions.append(QPointF(x, 0.0));
        x += advance.x();
    }
    QGlyphRun run;
    run.setRawFont(face);
    run.setGlyphIndexes(indexes);
    run.setPositions(positions);
    run.setBoundingRect(QRectF(0.0, -face.ascent(), x, face.ascent() + face.descent()));
    return run;
}

QFont printFont(const QString& name, float pointSize)
{
    // The page never depends on a face outside the program's dependencies: "Courier New"
    // is drawn with Liberation Mono, metric-identical to it.
    QFont font(texts::installedFace(name));
    font.setPointSizeF(static_cast<double>(pointSize));
    // Rows are aligned by character count, so only a fixed-pitch face may stand in.
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setKerning(false);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

}  // namespace virdamo::texts

#include "output/pdf_page.h"

#include "layout/twips.h"
#include "texts/fonts.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPen>
#include <QRawFont>

#include <array>
#include <optional>

namespace virdamo::output {

using pages::Ink;
using pages::Page;
using pages::PlacedLine;
using pages::PlacedText;
using pages::TextPlace;

using namespace Qt::StringLiterals;

namespace {

using layout::kTwipsPerMillimetre;

/// Light enough that the squares guide the hand without competing with what is written.
const QColor kGrey(160, 160, 160);

/// Draws the texts of a page. Texts in one font, one after the other, go to the device as a
/// single glyph run: a page on squares holds a thousand digits, and a run each would
/// cost most of the time of drawing it.
class TextDrawer final {
public:
    explicit TextDrawer(QPainter& painter)
        : painter_(painter)
        , device_(painter.device())
        , unitsPerTwipX_(device_->logicalDpiX() / static_cast<double>(layout::kTwipsPerInch))
        , unitsPerTwipY_(device_->logicalDpiY() / static_cast<double>(layout::kTwipsPerInch))
    {
    }
    TextDrawer(const TextDrawer&) = delete;
    TextDrawer& operator=(const TextDrawer&) = delete;
    ~TextDrawer() { flush(); }

    void draw(const PlacedText& text)
    {
        useFont(text.fontName, text.pointSize);
        const QRectF box(text.topLeft.x() * unitsPerTwipX_, text.topLeft.y() * unitsPerTwipY_,
                         text.box.width() * unitsPerTwipX_, text.box.height() * unitsPerTwipY_);
        std::optional<qreal> unshaped = unshapedAdvance(text.text);
        qreal advance = unshaped ? *unshaped : metrics().horizontalAdvance(text.text);
        if (!text.box.isEmpty() && advance > box.width()) {
            // Rare (a long name in a footer): a font of its own, sized to the box.
            useFont(text.fontName, text.pointSize * static_cast<float>(box.width() / advance));
            unshaped = unshapedAdvance(text.text);
            advance = unshaped ? *unshaped : metrics().horizontalAdvance(text.text);
        }
        const QPointF baseline = baselineIn(box, advance, text.place);
        if (unshaped) {
            qreal x = 0.0;
            for (const QChar c : text.text) {
                const Glyph& glyph = glyphs_.at(c.unicode() - kFirstPlain);
                glyphIndexes_.append(glyph.index);
                positions_.append(QPointF(x, 0.0) + baseline);
                x += glyph.advance;
            }
        } else {
            flush();
            painter_.drawText(baseline, text.text);
        }
    }

private:
    void useFont(const QString& name, float pointSize)
    {
        if (fontSet_ && name == fontName_ && pointSize == pointSize_) {
            return;
        }
        flush();
        font_ = QFont(texts::printFont(name, pointSize), device_);
        painter_.setFont(font_);
        face_ = texts::unshapedFace(font_);
        glyphs_.fill(Glyph{});
        const QFontMetricsF m = metrics();
        ascent_ = m.ascent();
        capHeight_ = m.capHeight();
        fontName_ = name;
        pointSize_ = pointSize;
        fontSet_ = true;
    }

    [[nodiscard]] QFontMetricsF metrics() const { return QFontMetricsF(font_, device_); }

    /// Where a text advance units wide starts on its baseline to stand at place in box.
    [[nodiscard]] QPointF baselineIn(const QRectF& box, qreal advance, TextPlace place) const
    {
        // Positions name the top of the character cell; Qt draws from the baseline.
        switch (place) {
        case TextPlace::TopLeft: return {box.left(), box.top() + ascent_};
        case TextPlace::MiddleLeft: return {box.left(), box.center().y() + capHeight_ / 2.0};
        case TextPlace::Centre: return {box.center().x() - advance / 2.0, box.center().y() + capHeight_ / 2.0};
        }
        return box.topLeft();
    }

    /// The advance of text laid out glyph after glyph in the fixed-pitch face, as
    /// texts::unshapedRun lays it out; none where that face cannot (see there). Each
    /// character's glyph is looked up once a font: a page on squares holds a thousand
    /// one-digit texts.
    std::optional<qreal> unshapedAdvance(const QString& text)
    {
        if (!face_.isValid() || text.isEmpty()) {
            return std::nullopt;
        }
        qreal advance = 0.0;
        for (const QChar c : text) {
            if (c.unicode() < kFirstPlain || c.unicode() > kLastPlain) {
                return std::nullopt;
            }
            Glyph& glyph = glyphs_.at(c.unicode() - kFirstPlain);
            if (!glyph.known) {
                const QList<quint32> index = face_.glyphIndexesForString(QString(c));
                glyph.index = index.isEmpty() ? 0U : index.front();
                glyph.advance = glyph.index == 0U ? 0.0 : face_.advancesForGlyphIndexes({glyph.index}).front().x();
                glyph.known = true;
            }
            if (glyph.index == 0U) {
                return std::nullopt;
            }
            advance += glyph.advance;
        }
        return advance;
    }

    void flush()
    {
        if (glyphIndexes_.isEmpty()) {
            return;
        }
        QGlyphRun run;
        run.setRawFont(face_);
        run.setGlyphIndexes(glyphIndexes_);
        run.setPositions(positions_);
        painter_.drawGlyphRun(QPointF(), run);
        glyphIndexes_.clear();
        positions_.clear();
    }

    /// The characters laid out without shaping: printable ASCII.
    static constexpr char16_t kFirstPlain = 0x20;
    static constexpr char16_t kLastPlain = 0x7e;
    struct Glyph {
        bool known = false;
        quint32 index = 0;  ///< 0: the face lacks the character
        qreal advance = 0.0;
    };

    QPainter& painter_;
    QPaintDevice* device_;
    double unitsPerTwipX_;
    double unitsPerTwipY_;
    bool fontSet_ = false;
    QString fontName_;
    float pointSize_ = 0.0F;
    QFont font_;
    QRawFont face_;
    qreal ascent_ = 0.0;
    qreal capHeight_ = 0.0;
    std::array<Glyph, kLastPlain - kFirstPlain + 1> glyphs_{};
    QList<quint32> glyphIndexes_;
    QList<QPointF> positions_;
};

void drawLines(QPainter& painter, const std::vector<PlacedLine>& lines)
{
    const QPaintDevice* device = painter.device();
    const double unitsPerTwipX = device->logicalDpiX() / static_cast<double>(layout::kTwipsPerInch);
    const double unitsPerTwipY = device->logicalDpiY() / static_cast<double>(layout::kTwipsPerInch);
    const auto units = [&](QPointF twips) { return QPointF(twips.x() * unitsPerTwipX, twips.y() * unitsPerTwipY); };
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const PlacedLine& line = lines[i];
        if (i == 0 || line.width != lines[i - 1].width || line.ink != lines[i - 1].ink) {
            // Flat ends: a rule ends exactly where the squares it underlines end.
            painter.setPen(QPen(line.ink == Ink::Black ? QColor(Qt::black) : kGrey, line.width * unitsPerTwipY,
                                Qt::SolidLine, Qt::FlatCap));
        }
        painter.drawLine(units(line.from), units(line.to));
    }
}

}  // namespace

float Paper::printableHeight() const
{
    return static_cast<float>(layout::millimetresToTwips(size.height() - margins.top() - margins.bottom()));
}

QSizeF Paper::printableArea() const
{
    return QSizeF((size.width() - margins.left() - margins.right()) * kTwipsPerMillimetre,
                  (size.height() - margins.top() - margins.bottom()) * kTwipsPerMillimetre);
}

void drawPage(QPainter& painter, const Page& page)
{
    const QPaintDevice* device = painter.device();
    const double unitsPerTwipX = device->logicalDpiX() / static_cast<double>(layout::kTwipsPerInch);
    const double unitsPerTwipY = device->logicalDpiY() / static_cast<double>(layout::kTwipsPerInch);
    for (const pages::PlacedFill& fill : page.fills) {
        const QRectF& a = fill.area;
        painter.fillRect(
            QRectF(a.x() * unitsPerTwipX, a.y() * unitsPerTwipY, a.width() * unitsPerTwipX, a.height() * unitsPerTwipY),
            QColor::fromRgb(fill.rgb));
    }
    drawLines(painter, page.lines);
    painter.setPen(Qt::black);
    TextDrawer texts(painter);
    for (const PlacedText& text : page.texts) {
        texts.draw(text);
    }
}

QByteArray renderPdf(const Page& page, const Paper& paper)
{
    return renderPdf(std::vector<Page>{page}, paper);
}

QByteArray renderPdf(const std::vector<Page>& pages, const Paper& paper, const QString& title)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kPdfResolution);
        writer.setCreator(u"virdamo"_s);
        writer.setTitle(title);
        // The paper's own size, not the nearest standard one, and no margins of Qt's:
        // the printable area is placed by hand from the printer's margins.
        const QPageSize size(paper.size, QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
        writer.setPageLayout(QPageLayout(size, QPageLayout::Portrait, QMarginsF(), QPageLayout::Millimeter));

        QPainter painter;
        if (!painter.begin(&writer)) {
            throw OutputFailure(FailureReason::PageNotDrawn, "QPainter::begin failed on the PDF writer");
        }
        painter.translate(layout::millimetresToTwips(paper.margins.left()),
                          layout::millimetresToTwips(paper.margins.top()));
        for (std::size_t i = 0; i < pages.size(); ++i) {
            if (i > 0) {
                writer.newPage();
            }
            drawPage(painter, pages[i]);
        }
        painter.end();
    }
    return bytes;
}

}  // namespace virdamo::output

#include "pages/pupil_names.h"

#include "texts/fonts.h"

#include <QChar>
#include <QFontDatabase>
#include <QRawFont>
#include <QStringDecoder>

#include <algorithm>

namespace virdamo::pages {

using namespace Qt::StringLiterals;

namespace {

/// Tells whether a character prints: in the face the pages use or, as Qt does when that
/// face lacks it, in any installed face. The faces beyond the first are loaded only when a
/// character needs them.
class Faces final {
public:
    Faces()
        : pageFace_(QRawFont::fromFont(texts::printFont(u"Courier New"_s, 10.0F)))
    {
    }

    [[nodiscard]] bool draw(char32_t c)
    {
        // Nothing draws these, whatever a face may map them to: private use has no agreed
        // glyph, and controls, format characters and unassigned code points show nothing.
        switch (QChar::category(c)) {
        case QChar::Other_Control:
        case QChar::Other_Format:
        case QChar::Other_Surrogate:
        case QChar::Other_PrivateUse:
        case QChar::Other_NotAssigned: return false;
        default: break;
        }
        if (pageFace_.supportsCharacter(c)) {
            return true;
        }
        if (!fallbacksLoaded_) {
            for (const QString& family : QFontDatabase::families()) {
                QFont font(family);
                font.setStyleStrategy(QFont::NoFontMerging);
                fallbacks_.push_back(QRawFont::fromFont(font));
            }
            fallbacksLoaded_ = true;
        }
        return std::any_of(fallbacks_.begin(), fallbacks_.end(),
                           [c](const QRawFont& face) { return face.isValid() && face.supportsCharacter(c); });
    }

private:
    QRawFont pageFace_;
    bool fallbacksLoaded_ = false;
    std::vector<QRawFont> fallbacks_;
};

}  // namespace

PupilNames readPupilNames(QByteArrayView bytes)
{
    PupilNames read;
    const auto fail = [&read](NamesProblem::Kind kind, int line, char32_t character = 0) {
        read.names.clear();
        read.problem = NamesProblem{kind, line, character};
        return read;
    };
    Faces faces;
    int line = 0;
    for (qsizetype start = 0; start < bytes.size();) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0) {
            end = bytes.size();
        }
        ++line;
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = utf8.decode(bytes.sliced(start, end - start));
        start = end + 1;
        if (utf8.hasError()) {
            return fail(NamesProblem::Kind::NotUtf8, line);
        }
        const QString name = text.trimmed().normalized(QString::NormalizationForm_C);
        if (name.isEmpty()) {
            continue;
        }
        if (read.names.size() == kMaxPupilNames) {
            return fail(NamesProblem::Kind::TooManyNames, line);
        }
        const QList<uint> characters = name.toUcs4();
        if (characters.size() > kMaxNameCharacters) {
            return fail(NamesProblem::Kind::NameTooLong, line);
        }
        for (const uint c : characters) {
            if (!faces.draw(c)) {
                return fail(NamesProblem::Kind::NotDrawable, line, c);
            }
        }
        read.names.push_back(name);
    }
    return read;
}

}  // namespace virdamo::pages

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
        // glyph, and controls, format characters, line and paragraph separators, unassigned
        // code points and the stand-in for an embedded object show nothing.
        switch (QChar::category(c)) {
        case QChar::Other_Control:
        case QChar::Other_Format:
        case QChar::Separator_Line:
        case QChar::Separator_Paragraph:
        case QChar::Other_Surrogate:
        case QChar::Other_PrivateUse:
        case QChar::Other_NotAssigned: return false;
        default: break;
        }
        if (c == U'\uFFFC') {
            return false;
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

/// Names as they are read, checked one line at a time.
class NamesReader final {
public:
    /// Takes the text of line, which holds one name or blanks; false once there is a problem.
    bool add(QString text, int line)
    {
        const QString name = text.replace(u'\t', u' ').trimmed().normalized(QString::NormalizationForm_C);
        if (name.isEmpty()) {
            return true;
        }
        if (read_.names.size() == kMaxPupilNames) {
            return fail(NamesProblem::Kind::TooManyNames, line);
        }
        const QList<uint> characters = name.toUcs4();
        if (characters.size() > kMaxNameCharacters) {
            return fail(NamesProblem::Kind::NameTooLong, line);
        }
        for (const uint c : characters) {
            if (!faces_.draw(c)) {
                return fail(NamesProblem::Kind::NotDrawable, line, c);
            }
        }
        read_.names.push_back(name);
        return true;
    }
    bool fail(NamesProblem::Kind kind, int line, char32_t character = 0)
    {
        read_.names.clear();
        read_.problem = NamesProblem{kind, line, character};
        return false;
    }
    [[nodiscard]] const PupilNames& read() const { return read_; }

private:
    Faces faces_;
    PupilNames read_;
};

}  // namespace

PupilNames readPupilNames(QByteArrayView bytes)
{
    NamesReader reader;
    int line = 0;
    for (qsizetype start = 0; start < bytes.size();) {
        qsizetype end = start;
        while (end < bytes.size() && bytes[end] != '\n' && bytes[end] != '\r') {
            ++end;
        }
        ++line;
        const QByteArrayView text = bytes.sliced(start, end - start);
        start = end + (bytes.sliced(end).startsWith("\r\n") ? 2 : 1);
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString decoded = utf8.decode(text);
        // A NUL is UTF-8, but no text holds one: it comes from UTF-16 without its mark.
        if (utf8.hasError() || text.contains('\0')) {
            reader.fail(NamesProblem::Kind::NotUtf8, line);
            return reader.read();
        }
        if (!reader.add(decoded, line)) {
            return reader.read();
        }
    }
    if (reader.read().names.empty()) {
        reader.fail(NamesProblem::Kind::NoNames, 0);
    }
    return reader.read();
}

PupilNames checkPupilNames(const std::vector<QString>& names)
{
    NamesReader reader;
    for (std::size_t k = 0; k < names.size(); ++k) {
        if (!reader.add(names[k], static_cast<int>(k) + 1)) {
            break;
        }
    }
    return reader.read();
}

}  // namespace virdamo::pages

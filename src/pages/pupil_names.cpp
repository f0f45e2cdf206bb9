#include "pages/pupil_names.h"

#include "texts/fonts.h"
#include "texts/messages.h"
#include "texts/texts.h"

#include <QChar>
#include <QFontDatabase>
#include <QRawFont>
#include <QStringDecoder>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
        QString name = text.replace(u'\t', u' ').trimmed().normalized(QString::NormalizationForm_C);
        const bool supported = name.endsWith(QStringView(kSupportedMark));
        if (supported) {
            name = name.chopped(QStringView(kSupportedMark).size()).trimmed();
        }
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
        read_.supported.push_back(supported);
        return true;
    }
    bool fail(NamesProblem::Kind kind, int line, char32_t character = 0)
    {
        read_.names.clear();
        read_.supported.clear();
        read_.problem = NamesProblem{kind, line, character};
        return false;
    }
    [[nodiscard]] const PupilNames& read() const { return read_; }

private:
    Faces faces_;
    PupilNames read_;
};

}  // namespace

std::optional<char32_t> undrawableCharacter(const QString& text)
{
    Faces faces;
    for (const uint c : text.toUcs4()) {
        if (!faces.draw(c)) {
            return c;
        }
    }
    return std::nullopt;
}

std::vector<QString> NamesList::lines() const
{
    std::vector<QString> lines;
    for (std::size_t k = 0; k < names.size(); ++k) {
        lines.push_back(isSupported(k) ? names[k] + QString::fromUtf16(kSupportedMark) : names[k]);
    }
    return lines;
}

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

QString namesProblemText(const NamesProblem& problem)
{
    switch (problem.kind) {
    case pages::NamesProblem::Kind::NotUtf8: return texts::kNamesNotUtf8.arg(problem.line);
    case pages::NamesProblem::Kind::TooManyNames:
        return texts::kNamesTooMany.arg(pages::kMaxPupilNames).arg(problem.line);
    case pages::NamesProblem::Kind::NameTooLong:
        return texts::kPupilNameTooLong.arg(problem.line).arg(pages::kMaxNameCharacters);
    case pages::NamesProblem::Kind::NotDrawable:
        return texts::kNameNotDrawable.arg(texts::characterName(problem.character)).arg(problem.line);
    case pages::NamesProblem::Kind::NoNames: return texts::kNamesFileEmpty;
    }
    return texts::kUnexpected;
}

namespace {

/// Most bytes of a names file: forty names of sixty characters, with room to spare.
constexpr qsizetype kMostNamesFileBytes = qsizetype{64} * 1024;

}  // namespace

NamesRead readNamesFile(const QString& path)
{
    const QString shown = texts::quoted(path, texts::kQuotedPathCharacters);
    const auto cannotRead = [&shown](int error) {
        if (error == ENOENT || error == ENOTDIR) {
            return NamesRead{std::nullopt, texts::kNamesFileMissing.arg(shown)};
        }
        return NamesRead{std::nullopt, texts::kNamesFileNotRead.arg(shown, texts::readingReason(error))};
    };
    // Not blocking: a pipe given for a file must not hang the program waiting for a writer.
    const int fd = ::open(texts::fileNameBytes(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        return cannotRead(errno);
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        const int error = errno;
        ::close(fd);
        return cannotRead(error);
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        return {std::nullopt, texts::kNamesFileNotRead.arg(shown, texts::kReadNotAFile)};
    }
    // A names file is a few hundred bytes: anything much larger is not one.
    QByteArray bytes(kMostNamesFileBytes + 1, '\0');
    qsizetype got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + got, static_cast<std::size_t>(bytes.size() - got));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            const int error = errno;
            ::close(fd);
            return cannotRead(error);
        }
        if (n == 0) {
            break;
        }
        got += n;
    }
    ::close(fd);
    bytes.truncate(got);
    if (bytes.size() > kMostNamesFileBytes) {
        return {std::nullopt, texts::kNamesFileTooLarge.arg(shown)};
    }
    const pages::PupilNames read = readPupilNames(bytes);
    if (read.problem) {
        return {std::nullopt, namesProblemText(*read.problem)};
    }
    return {NamesList{read.names, read.supported, path}, {}};
}

}  // namespace virdamo::pages

#include "texts/messages.h"

#include "texts/texts.h"

#include <QStringDecoder>

#include <cerrno>
#include <vector>

namespace virdamo::texts {

using namespace Qt::StringLiterals;

namespace {

/// The code points of text; a surrogate without its pair is one of them, as it stands.
std::vector<char32_t> codePoints(const QString& text)
{
    std::vector<char32_t> points;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            points.push_back(QChar::surrogateToUcs4(text[i], text[i + 1]));
            ++i;
        } else {
            points.push_back(text[i].unicode());
        }
    }
    return points;
}

/// The lone surrogates argumentText keeps the bytes 0x80 to 0xFF in.
constexpr char32_t kFirstKeptByte = 0xDC80;
constexpr char32_t kLastKeptByte = 0xDCFF;

}  // namespace

QString characterName(char32_t c)
{
    const QString text = QString::fromUcs4(&c, 1);
    const QChar::Category category = QChar::category(c);
    const bool invisible = category == QChar::Other_Control || category == QChar::Other_Format
        || category == QChar::Separator_Line || category == QChar::Separator_Paragraph
        || category == QChar::Separator_Space || category == QChar::Other_NotAssigned
        || category == QChar::Other_PrivateUse || category == QChar::Other_Surrogate || c == U'\uFFFC';
    return invisible ? kCharacterCode.arg(static_cast<uint>(c), 4, 16, QLatin1Char('0')).toUpper()
                     : kCharacterShown.arg(text);
}

QString codeProblem(const ParsedCode& parsed)
{
    switch (parsed.error) {
    case CodeError::Empty: return kCodeEmpty;
    case CodeError::WrongLength: return kCodeWrongLength;
    case CodeError::BadSymbol: return kCodeBadSymbol.arg(characterName(parsed.badSymbol));
    case CodeError::WrongCheck: return kCodeWrongCheck;
    case CodeError::UnknownSettings: return kCodeFromNewerVersion;
    }
    return {};
}

QString quoted(const QString& text, qsizetype maxCharacters)
{
    QString shown;
    qsizetype characters = 0;
    for (const char32_t c : codePoints(text)) {
        if (characters == maxCharacters) {
            shown += u'…';
            break;
        }
        const QChar::Category category = QChar::category(c);
        if (c >= kFirstKeptByte && c <= kLastKeptByte) {
            shown += u"\\x"_s + QString::number(static_cast<uint>(c - 0xDC00), 16);
        } else {
            shown += category == QChar::Other_Control || category == QChar::Separator_Line
                    || category == QChar::Separator_Paragraph
                ? characterName(c)
                : QString::fromUcs4(&c, 1);
        }
        ++characters;
    }
    return shown;
}

QString argumentText(QByteArrayView bytes)
{
    QString text;
    for (qsizetype at = 0; at < bytes.size();) {
        // UTF-8 is prefix-free: the first length that decodes whole is the character's.
        qsizetype length = 1;
        for (; length <= 4 && at + length <= bytes.size(); ++length) {
            QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
            const QString character = utf8.decode(bytes.sliced(at, length));
            if (!utf8.hasError()) {
                text += character;
                break;
            }
        }
        if (length > 4 || at + length > bytes.size()) {
            text += QChar(static_cast<char16_t>(0xDC00 + static_cast<unsigned char>(bytes[at])));
            length = 1;
        }
        at += length;
    }
    return text;
}

QByteArray fileNameBytes(const QString& name)
{
    QByteArray bytes;
    for (const char32_t c : codePoints(name)) {
        if (c >= kFirstKeptByte && c <= kLastKeptByte) {
            bytes += static_cast<char>(c - 0xDC00);
        } else {
            bytes += QString::fromUcs4(&c, 1).toUtf8();
        }
    }
    return bytes;
}

QString readingReason(int error)
{
    switch (error) {
    case EACCES:
    case EPERM: return kReadNoPermission;
    case ELOOP: return kReadLinkLoop;
    case EISDIR:
    case ENXIO:  // a socket, or a device without its driver
    case ENODEV: return kReadNotAFile;
    case ENAMETOOLONG: return kNameTooLong;
    default: return kReadError + u'\n' + kDetailCode.arg(error);
    }
}

}  // namespace virdamo::texts

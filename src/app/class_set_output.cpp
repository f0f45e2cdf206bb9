#include "app/class_set_output.h"

#include "texts/texts.h"
#include "output/output_failure.h"

#include <QFile>
#include <QStringDecoder>

#include <array>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace virdamo::app {

using namespace Qt::StringLiterals;

using output::FailureReason;
using output::fileFailure;
using output::OutputFailure;

namespace {

/// Most bytes of a names file: forty names of sixty characters, with room to spare.
constexpr qsizetype kMostNamesFileBytes = qsizetype{64} * 1024;

/// One character as a message names it: itself when it can be seen, else its code.
QString characterName(char32_t c)
{
    const QString text = QString::fromUcs4(&c, 1);
    const QChar::Category category = QChar::category(c);
    const bool invisible = category == QChar::Other_Control || category == QChar::Other_Format
        || category == QChar::Separator_Line || category == QChar::Separator_Paragraph
        || category == QChar::Separator_Space || category == QChar::Other_NotAssigned
        || category == QChar::Other_PrivateUse || category == QChar::Other_Surrogate || c == U'\uFFFC';
    return invisible ? texts::kCharacterCode.arg(static_cast<uint>(c), 4, 16, QLatin1Char('0')).toUpper()
                     : texts::kCharacterShown.arg(text);
}

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

/// The permission bits a new file gets: what the user's umask leaves of rw-rw-rw-.
mode_t newFileMode()
{
    // Read without changing it: umask() would change it for every thread meanwhile.
    QFile status(u"/proc/self/status"_s);
    if (status.open(QIODevice::ReadOnly)) {
        for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
            if (line.startsWith("Umask:")) {
                bool ok = false;
                const uint mask = line.mid(6).trimmed().toUInt(&ok, 8);
                if (ok) {
                    return static_cast<mode_t>(0666U & ~mask);
                }
            }
        }
    }
    return 0644;
}

/// Closes and removes the temporary file unless released.
class TemporaryFile {
public:
    TemporaryFile(int fd, std::string path)
        : fd_(fd)
        , path_(std::move(path))
    {
    }
    ~TemporaryFile()
    {
        if (fd_ >= 0) {
            ::close(fd_);
        }
        if (!path_.empty()) {
            ::unlink(path_.c_str());
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    [[nodiscard]] int fd() const { return fd_; }
    [[nodiscard]] const std::string& path() const { return path_; }
    /// Closes the file; false (errno set) when the data did not reach the disk.
    bool close()
    {
        const int fd = std::exchange(fd_, -1);
        return ::close(fd) == 0;
    }
    /// The file has its final name now: nothing to remove.
    void release() { path_.clear(); }

private:
    int fd_;
    std::string path_;
};

}  // namespace

QString codeProblem(const ParsedCode& parsed)
{
    switch (parsed.error) {
    case CodeError::Empty: return texts::kCodeEmpty;
    case CodeError::WrongLength: return texts::kCodeWrongLength;
    case CodeError::BadSymbol: return texts::kCodeBadSymbol.arg(characterName(parsed.badSymbol));
    case CodeError::WrongCheck: return texts::kCodeWrongCheck;
    case CodeError::UnknownSettings: return texts::kCodeFromNewerVersion;
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
    case EPERM: return texts::kReadNoPermission;
    case ELOOP: return texts::kReadLinkLoop;
    case EISDIR:
    case ENXIO:  // a socket, or a device without its driver
    case ENODEV: return texts::kReadNotAFile;
    case ENAMETOOLONG: return texts::kNameTooLong;
    default: return texts::kReadError + u'\n' + texts::kDetailCode.arg(error);
    }
}

QString namesProblemText(const pages::NamesProblem& problem)
{
    switch (problem.kind) {
    case pages::NamesProblem::Kind::NotUtf8: return texts::kNamesNotUtf8.arg(problem.line);
    case pages::NamesProblem::Kind::TooManyNames:
        return texts::kNamesTooMany.arg(pages::kMaxPupilNames).arg(problem.line);
    case pages::NamesProblem::Kind::NameTooLong:
        return texts::kPupilNameTooLong.arg(problem.line).arg(pages::kMaxNameCharacters);
    case pages::NamesProblem::Kind::NotDrawable:
        return texts::kNameNotDrawable.arg(characterName(problem.character)).arg(problem.line);
    case pages::NamesProblem::Kind::NoNames: return texts::kNamesFileEmpty;
    }
    return texts::kUnexpected;
}

void writeWhole(const QString& path, const QByteArray& bytes)
{
    std::string target = fileNameBytes(path).toStdString();
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists) {
        if (S_ISDIR(existing.st_mode)) {
            throw OutputFailure(FailureReason::TargetIsFolder, target + " is a folder");
        }
        if (!S_ISREG(existing.st_mode)) {
            throw OutputFailure(FailureReason::NotARegularFile, target + " is not a regular file");
        }
        if (::access(target.c_str(), W_OK) != 0) {
            throw fileFailure(errno, "cannot write " + target);
        }
        // A link to a file stays a link: the file it leads to is the one replaced.
        if (char* real = ::realpath(target.c_str(), nullptr)) {
            target = real;
            std::free(real);
        }
    } else if (errno != ENOENT) {
        throw fileFailure(errno, "cannot reach " + target);
    }

    const std::string::size_type slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string(".") : target.substr(0, slash + 1);
    std::string pattern = folder + (slash == std::string::npos ? "/" : "") + ".virdamo-XXXXXX";
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) {
        // A folder that does not exist shows as the missing temporary name's folder; so does
        // one that exists but makes no new files, as the kernel's own folders do.
        const int error = errno;
        struct stat place {};
        if (error == ENOENT && ::stat(folder.c_str(), &place) == 0 && S_ISDIR(place.st_mode)) {
            throw OutputFailure(FailureReason::FolderTakesNoFiles, "cannot create a file in " + folder, error);
        }
        throw fileFailure(error, "cannot create a file in " + folder);
    }
    TemporaryFile temporary(fd, pattern);
    const mode_t mode = exists ? (existing.st_mode & 07777) : newFileMode();
    if (::fchmod(fd, mode) != 0) {
        throw fileFailure(errno, "cannot set the mode of " + pattern);
    }
    for (qsizetype written = 0; written < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.constData() + written, static_cast<std::size_t>(bytes.size() - written));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw fileFailure(errno, "cannot write " + pattern);
        }
        written += n;
    }
    if (::fsync(fd) != 0 || !temporary.close()) {
        throw fileFailure(errno, "cannot write " + pattern);
    }
    if (::rename(temporary.path().c_str(), target.c_str()) != 0) {
        throw fileFailure(errno, "cannot rename " + pattern + " to " + target);
    }
    temporary.release();
}

NamesRead readNamesFile(const QString& path)
{
    const QString shown = quoted(path, kQuotedPathCharacters);
    const auto cannotRead = [&shown](int error) {
        if (error == ENOENT || error == ENOTDIR) {
            return NamesRead{std::nullopt, texts::kNamesFileMissing.arg(shown)};
        }
        return NamesRead{std::nullopt, texts::kNamesFileNotRead.arg(shown, readingReason(error))};
    };
    // Not blocking: a pipe given for a file must not hang the program waiting for a writer.
    const int fd = ::open(fileNameBytes(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
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
    const pages::PupilNames read = pages::readPupilNames(bytes);
    if (read.problem) {
        return {std::nullopt, namesProblemText(*read.problem)};
    }
    return {NamesList{read.names, path}, {}};
}

}  // namespace virdamo::app

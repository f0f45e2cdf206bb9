#include "output/file_output.h"

#include "output/output_failure.h"
#include "texts/messages.h"

#include <QFile>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace virdamo::output {

using namespace Qt::StringLiterals;

namespace {

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

void writeWhole(const QString& path, const QByteArray& bytes)
{
    std::string target = texts::fileNameBytes(path).toStdString();
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

}  // namespace virdamo::output

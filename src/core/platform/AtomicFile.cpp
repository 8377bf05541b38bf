#include "core/platform/AtomicFile.h"

#include "core/platform/NativeName.h"
#include "core/platform/PathLookup.h"

#include <QBuffer>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace resonex {

namespace {

// Negative: the disk's own room.
qint64 simulatedRoom = -1;

constexpr int kMaxLinks = 40;
constexpr int kNameAttempts = 100;

WriteFailure systemFailure(WriteFailure::Kind kind) {
    return {kind, QString::fromLocal8Bit(std::strerror(errno))};
}

// The file a name ends at through any links, also one whose file is not
// there yet (it is made where the link points).
QByteArray followLinks(QByteArray path) {
    for (int depth = 0; depth < kMaxLinks; ++depth) {
        struct stat status {};
        if (::lstat(path.constData(), &status) != 0 || !S_ISLNK(status.st_mode))
            return path;
        QByteArray target(PATH_MAX, '\0');
        const ssize_t length = ::readlink(path.constData(), target.data(), size_t(target.size()));
        if (length < 0 || length == target.size())
            return path;
        target.truncate(length);
        if (!target.startsWith('/'))
            target.prepend(path.left(path.lastIndexOf('/') + 1));
        path = target;
    }
    return path;
}

// Where the bytes go, and the permissions of the file they replace, if any.
struct Target {
    QByteArray path;
    std::optional<mode_t> permissions;
};

std::optional<WriteFailure> findTarget(const QString& path, Target& target) {
    const PathLookup found = lookUpPath(path);
    switch (found.kind) {
    case PathLookup::Kind::Unreachable:
        return WriteFailure{WriteFailure::Kind::Access, found.reason};
    case PathLookup::Kind::Other:
        return WriteFailure{WriteFailure::Kind::Access, QStringLiteral("Not a regular file")};
    case PathLookup::Kind::Missing:
    case PathLookup::Kind::RegularFile:
        break;
    }
    target.path = followLinks(nativeName(path));
    if (found.kind == PathLookup::Kind::Missing)
        return std::nullopt;
    // A file its owner made read-only is kept, though the folder would let
    // another take its name.
    struct stat status {};
    if (::access(target.path.constData(), W_OK) != 0 ||
        ::stat(target.path.constData(), &status) != 0)
        return systemFailure(WriteFailure::Kind::Access);
    target.permissions = status.st_mode & 07777;
    return std::nullopt;
}

// A new file of a name no other has, beside the target, so that the rename
// stays within one file system.
int createTemporary(const QByteArray& target, QByteArray& name) {
    static constexpr char kLetters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    const QByteArray folder = target.left(target.lastIndexOf('/') + 1);
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        name = folder + ".resonex-";
        for (int i = 0; i < 6; ++i)
            name += kLetters[QRandomGenerator::global()->bounded(int(sizeof kLetters) - 1)];
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

bool writeAll(int fd, const QByteArray& bytes) {
    const qint64 room =
        simulatedRoom < 0 ? bytes.size() : std::min<qint64>(bytes.size(), simulatedRoom);
    qint64 written = 0;
    while (written < room) {
        const ssize_t count = ::write(fd, bytes.constData() + written, size_t(room - written));
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0) {
            // Nothing written and nothing said: no room for it.
            if (count == 0)
                errno = ENOSPC;
            return false;
        }
        written += count;
    }
    if (written < bytes.size()) {
        errno = ENOSPC;
        return false;
    }
    return true;
}

std::optional<WriteFailure> writeInPlace(const Target& target, const QByteArray& bytes) {
    QByteArray temporary;
    const int fd = createTemporary(target.path, temporary);
    if (fd < 0)
        return systemFailure(WriteFailure::Kind::Access);
    if (target.permissions)
        ::fchmod(fd, *target.permissions);
    std::optional<WriteFailure> failure;
    if (!writeAll(fd, bytes) || ::fsync(fd) != 0)
        failure = systemFailure(WriteFailure::Kind::Content);
    // Some file systems report a failed write only when the file is closed.
    if (::close(fd) != 0 && !failure)
        failure = systemFailure(WriteFailure::Kind::Content);
    if (!failure && ::rename(temporary.constData(), target.path.constData()) != 0)
        failure = systemFailure(WriteFailure::Kind::Content);
    if (failure)
        ::unlink(temporary.constData());
    return failure;
}

} // namespace

QString notWrittenText(const QString& what, const QString& path, const WriteFailure& failure) {
    return what + QStringLiteral(" could not be written to ") + path + QStringLiteral(": ") +
           failure.reason + u'.';
}

std::optional<WriteFailure> writeFileAtomically(const QString& path, const QByteArray& bytes) {
    Target target;
    if (std::optional<WriteFailure> failure = findTarget(path, target))
        return failure;
    return writeInPlace(target, bytes);
}

std::optional<WriteFailure> writeFileAtomically(const QString& path, const ContentWriter& produce) {
    Target target;
    if (std::optional<WriteFailure> failure = findTarget(path, target))
        return failure;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!produce(buffer))
        return WriteFailure{WriteFailure::Kind::Content,
                            QStringLiteral("The content could not be made")};
    buffer.close();
    return writeInPlace(target, bytes);
}

SimulatedFullDisk::SimulatedFullDisk(qint64 room) { simulatedRoom = room; }

SimulatedFullDisk::~SimulatedFullDisk() { simulatedRoom = -1; }

} // namespace resonex

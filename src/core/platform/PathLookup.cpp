#include "core/platform/PathLookup.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace resonex {

PathLookup lookUpPath(const QString& path) {
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) == 0)
        return {S_ISREG(status.st_mode) ? PathLookup::Kind::RegularFile : PathLookup::Kind::Other,
                {}};
    // A file standing where a folder of the path should be means the path is
    // not there either.
    if (errno == ENOENT || errno == ENOTDIR)
        return {PathLookup::Kind::Missing, {}};
    return {PathLookup::Kind::Unreachable, QString::fromLocal8Bit(std::strerror(errno))};
}

} // namespace resonex

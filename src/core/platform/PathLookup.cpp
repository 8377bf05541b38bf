#include "core/platform/PathLookup.h"

#include "core/platform/NativeName.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>

namespace resonex {

PathLookup lookUpPath(const QString& path) {
    struct stat status {};
    if (::stat(nativeName(path).constData(), &status) == 0)
        return {S_ISREG(status.st_mode) ? PathLookup::Kind::RegularFile : PathLookup::Kind::Other,
                {}};
    // A file standing where a folder of the path should be means the path is
    // not there either.
    if (errno == ENOENT || errno == ENOTDIR)
        return {PathLookup::Kind::Missing, {}};
    return {PathLookup::Kind::Unreachable, QString::fromLocal8Bit(std::strerror(errno))};
}

bool entryExists(const QString& path) {
    struct stat status {};
    return ::lstat(nativeName(path).constData(), &status) == 0;
}

QString canonicalPath(const QString& path) {
    char resolved[PATH_MAX];
    return ::realpath(nativeName(path).constData(), resolved) ? nameFromNative(resolved)
                                                              : QString();
}

} // namespace resonex

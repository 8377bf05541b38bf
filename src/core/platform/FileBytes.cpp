#include "core/platform/FileBytes.h"

#include "core/platform/NativeName.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>

namespace resonex {

FileBytes readFileBytes(const QString& path, qint64 maxBytes) {
    QFile file;
    const int fd = ::open(nativeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        return {{}, QString::fromLocal8Bit(std::strerror(errno))};
    QByteArray bytes = file.read(maxBytes);
    if (file.error() != QFileDevice::NoError)
        return {{}, file.errorString()};
    return {bytes, std::nullopt};
}

} // namespace resonex

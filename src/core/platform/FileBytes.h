#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace resonex {

// What reading a file gave: its bytes, or why it could not be read.
struct FileBytes {
    QByteArray bytes;
    // The system's reason, when the file could not be opened or read.
    std::optional<QString> failure;
};

// At most maxBytes from the start of the file at path, opened by the name's
// own bytes, which Qt cannot always spell.
FileBytes readFileBytes(const QString& path, qint64 maxBytes);

} // namespace resonex

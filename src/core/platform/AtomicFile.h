#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

class QIODevice;

namespace resonex {

// Why a file was not written.
struct WriteFailure {
    // Access: the file could not be made, or what stands at its name may not
    // be replaced; Content: its content could not be made or stored.
    enum class Kind { Access, Content };
    Kind kind;
    // For the user: the system's reason or the rule the name broke.
    QString reason;
};

// What could not be written, where, and why: the user's message for a
// failure.
QString notWrittenText(const QString& what, const QString& path, const WriteFailure& failure);

// The one way the program writes a file. The bytes go to a temporary file in
// the target's folder, reach the disk, and only then is it renamed over the
// target, so the name holds the old file or the whole new one, never a part.
// On any failure the temporary file is removed and the old file stays as it
// was. Links are followed to the file they name; only a regular file is
// replaced, never a pipe or a device, which a file in its place would
// destroy. Nothing when written.
std::optional<WriteFailure> writeFileAtomically(const QString& path, const QByteArray& bytes);

// Content that a Qt writer streams into a device (an SVG, a PDF, an image);
// false when it could not be made.
using ContentWriter = std::function<bool(QIODevice&)>;

// As above for streamed content, which is made in memory first: the writers
// report no failed write, so none of theirs reaches the disk unchecked.
std::optional<WriteFailure> writeFileAtomically(const QString& path, const ContentWriter& produce);

// Tests only: while one lives, every file written above finds only `room`
// bytes free and fails past them as on a full disk.
class SimulatedFullDisk {
public:
    explicit SimulatedFullDisk(qint64 room = 0);
    ~SimulatedFullDisk();
    SimulatedFullDisk(const SimulatedFullDisk&) = delete;
    SimulatedFullDisk& operator=(const SimulatedFullDisk&) = delete;
};

} // namespace resonex

#include "core/platform/NativeName.h"

namespace resonex {

namespace {

constexpr char16_t kEscapeBase = 0xDC00;
// A byte below 0x80 is always UTF-8 by itself, so only these are escaped.
constexpr char16_t kFirstEscape = kEscapeBase + 0x80;
constexpr char16_t kLastEscape = kEscapeBase + 0xFF;

bool continues(const QByteArray& bytes, qsizetype at, uchar least = 0x80, uchar most = 0xBF) {
    if (at >= bytes.size())
        return false;
    const uchar byte = uchar(bytes[at]);
    return byte >= least && byte <= most;
}

// The length of the well-formed UTF-8 sequence starting at `at` (RFC 3629: no
// overlong forms, no surrogates, nothing past U+10FFFF), 0 when there is none.
qsizetype sequenceLength(const QByteArray& bytes, qsizetype at) {
    const uchar lead = uchar(bytes[at]);
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return continues(bytes, at + 1) ? 2 : 0;
    if (lead >= 0xE0 && lead <= 0xEF) {
        const uchar least = lead == 0xE0 ? 0xA0 : 0x80;
        const uchar most = lead == 0xED ? 0x9F : 0xBF;
        return continues(bytes, at + 1, least, most) && continues(bytes, at + 2) ? 3 : 0;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        const uchar least = lead == 0xF0 ? 0x90 : 0x80;
        const uchar most = lead == 0xF4 ? 0x8F : 0xBF;
        return continues(bytes, at + 1, least, most) && continues(bytes, at + 2) &&
                       continues(bytes, at + 3)
                   ? 4
                   : 0;
    }
    return 0;
}

bool isEscape(const QString& name, qsizetype at) {
    const char16_t unit = name[at].unicode();
    // The second half of a pair is a character of its own.
    return unit >= kFirstEscape && unit <= kLastEscape &&
           (at == 0 || !name[at - 1].isHighSurrogate());
}

} // namespace

QString nameFromNative(const QByteArray& bytes) {
    QString name;
    qsizetype runStart = 0;
    for (qsizetype at = 0; at < bytes.size();) {
        const qsizetype length = sequenceLength(bytes, at);
        if (length > 0) {
            at += length;
            continue;
        }
        name += QString::fromUtf8(bytes.mid(runStart, at - runStart));
        name += QChar(char16_t(kEscapeBase + uchar(bytes[at])));
        runStart = ++at;
    }
    return name + QString::fromUtf8(bytes.mid(runStart));
}

QByteArray nativeName(const QString& name) {
    QByteArray bytes;
    qsizetype runStart = 0;
    for (qsizetype at = 0; at < name.size(); ++at) {
        if (!isEscape(name, at))
            continue;
        bytes += name.mid(runStart, at - runStart).toUtf8();
        bytes += char(name[at].unicode() - kEscapeBase);
        runStart = at + 1;
    }
    return bytes + name.mid(runStart).toUtf8();
}

QStringList argumentsFromNative(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << nameFromNative(QByteArray(argv[i]));
    return arguments;
}

} // namespace resonex

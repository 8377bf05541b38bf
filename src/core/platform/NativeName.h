#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace resonex {

// File names as the system holds them: bytes, UTF-8 for almost every name.
// Qt reads a byte that is not UTF-8 as a replacement character and can then
// never name that file again, so names pass between bytes and text here: each
// such byte becomes a lone surrogate U+DC80 to U+DCFF (the "surrogateescape"
// of PEP 383) and comes back as the same byte. For UTF-8 names both ways are
// Qt's own.
QString nameFromNative(const QByteArray& bytes);
QByteArray nativeName(const QString& name);

// The program's arguments after the first, each read as a name.
QStringList argumentsFromNative(int argc, char* argv[]);

} // namespace resonex

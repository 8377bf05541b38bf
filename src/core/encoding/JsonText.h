#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// JSON values as text, the same whatever the locale: numbers with a full stop,
// strings in plain ASCII with everything else escaped, so that no output
// encoding can change them.
namespace resonex::json {

inline const QByteArray kNull = QByteArrayLiteral("null");

QByteArray boolean(bool value);
QByteArray integer(int value);
// The shortest text that reads back as the very same float; null for an
// infinity or a NaN, which JSON cannot hold.
QByteArray number(float value);
// A value worked out in double precision (SI units), as every figure is
// written: rounded to the nearest float, null beyond float range.
QByteArray siNumber(double value);
// As number(), but never with an exponent: a whole count reads as an integer.
QByteArray count(float value);
QByteArray string(const QString& value);
QByteArray array(const QList<QByteArray>& values);

// An object whose members keep the order they are added in.
class Object {
public:
    Object& add(const char* key, const QByteArray& value);
    QByteArray text() const { return '{' + m_members + '}'; }

private:
    QByteArray m_members;
};

} // namespace resonex::json

#pragma once

#include <QString>

namespace resonex {

// Tests a named file before the program reads it.
class CFileOperation {
public:
    const QString& FileName() const { return m_fileName; }
    void setFileName(const QString& path) { m_fileName = path; }

    // True for an existing plain file. An empty name or one with a wildcard is
    // never looked up; a folder or an unreachable path is false.
    bool Exists() const;

    // Whether the name holds a wildcard, which is never looked up.
    bool Wildcard() const;

private:
    QString m_fileName;
};

} // namespace resonex

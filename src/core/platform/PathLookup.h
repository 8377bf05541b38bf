#pragma once

#include <QString>

namespace resonex {

// What a path names when the program is about to read or write it, following
// symbolic links. Only a path that truly does not exist is missing: one that
// cannot be reached (a folder on the way that may not be entered, a loop of
// links) says why.
struct PathLookup {
    enum class Kind { Missing, RegularFile, Other, Unreachable };
    Kind kind;
    // The system's reason, for Unreachable.
    QString reason;
};

PathLookup lookUpPath(const QString& path);

// Whether anything stands at path itself, a link whose file is gone included.
bool entryExists(const QString& path);

// The path with every link, "." and ".." resolved; empty when it does not
// lead to anything.
QString canonicalPath(const QString& path);

} // namespace resonex

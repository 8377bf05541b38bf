#include "core/platform/CFileOperation.h"

#include "core/platform/PathLookup.h"

namespace resonex {

bool CFileOperation::Wildcard() const {
    return m_fileName.contains(QLatin1Char('*')) || m_fileName.contains(QLatin1Char('?'));
}

bool CFileOperation::Exists() const {
    if (m_fileName.isEmpty() || Wildcard())
        return false;
    return lookUpPath(m_fileName).kind == PathLookup::Kind::RegularFile;
}

} // namespace resonex

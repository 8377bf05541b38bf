#include "core/platform/CFileOperation.h"

#include <QFileInfo>

namespace resonex {

bool CFileOperation::Wildcard() const {
    return m_fileName.contains(QLatin1Char('*')) || m_fileName.contains(QLatin1Char('?'));
}

bool CFileOperation::Exists() const {
    if (m_fileName.isEmpty() || Wildcard())
        return false;
    return QFileInfo(m_fileName).isFile();
}

} // namespace resonex

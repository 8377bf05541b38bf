#include "platform/CFileOperation.h"

#include <QFileInfo>

namespace resonex {

bool CFileOperation::Exists() const {
    if (m_fileName.isEmpty() || m_fileName.contains(QLatin1Char('*')) ||
        m_fileName.contains(QLatin1Char('?')))
        return false;
    return QFileInfo(m_fileName).isFile();
}

} // namespace resonex

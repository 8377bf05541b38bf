#include "gui/app/DroppedDesign.h"

#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace resonex::gui {

QString DroppedDesign(const QMimeData* data) {
    if (!data || !data->hasUrls())
        return QString();
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1 || !urls.front().isLocalFile())
        return QString();
    const QString path = urls.front().toLocalFile();
    return QFileInfo(path).suffix().compare(QLatin1String("rzn"), Qt::CaseInsensitive) == 0
               ? path
               : QString();
}

} // namespace resonex::gui

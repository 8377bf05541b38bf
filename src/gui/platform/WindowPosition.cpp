#include "platform/WindowPosition.h"

#include "errors/ResonexError.h"
#include "platform/Twips.h"
#include "settings/OptionsStore.h"
#include "text/NumberText.h"

#include <QScreen>
#include <QWidget>

#include <cmath>
#include <optional>

namespace resonex::gui {

namespace {

const QString kGroup = QStringLiteral("Windows");
const QString kTop = QStringLiteral("Top");
const QString kLeft = QStringLiteral("Left");

// Window systems place windows within 16-bit coordinates; a kept value beyond
// them is damaged, not a place.
constexpr double kFarthestPixel = 32767;

double screenDpi(const QWidget& window) { return window.screen()->logicalDotsPerInch(); }

// The kept coordinate in pixels, if there is a usable one.
std::optional<int> storedPixels(const OptionsStore& store, const QString& key, double dpi) {
    const QString text = store.value(kGroup, key, QString());
    if (text.isEmpty())
        return std::nullopt;
    try {
        const double pixels = text::toSingle(text) * dpi / kTwipsPerInch;
        if (std::abs(pixels) > kFarthestPixel)
            return std::nullopt;
        return qRound(pixels);
    } catch (const ResonexError&) {
        return std::nullopt;
    }
}

} // namespace

void SaveWindowPosition(const QWidget& window, OptionsStore& store) {
    const double dpi = screenDpi(window);
    const QString name = window.objectName();
    store.setValue(kGroup, name + kTop,
                   text::generalText(static_cast<float>(pixelsToTwips(window.y(), dpi))));
    store.setValue(kGroup, name + kLeft,
                   text::generalText(static_cast<float>(pixelsToTwips(window.x(), dpi))));
}

void RestoreWindowPosition(QWidget& window, const OptionsStore& store) {
    const double dpi = screenDpi(window);
    const QRect screen = window.screen()->geometry();
    const QString name = window.objectName();
    const int y =
        storedPixels(store, name + kTop, dpi)
            .value_or(screen.y() + (screen.height() - window.frameGeometry().height()) / 2);
    const int x = storedPixels(store, name + kLeft, dpi)
                      .value_or(screen.x() + (screen.width() - window.frameGeometry().width()) / 2);
    window.move(x, y);
}

} // namespace resonex::gui

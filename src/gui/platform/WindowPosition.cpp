#include "gui/platform/WindowPosition.h"

#include "core/errors/ResonexError.h"
#include "core/settings/OptionsStore.h"
#include "core/text/NumberText.h"
#include "gui/platform/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>
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

QPoint centredOn(const QRect& area, const QSize& size) {
    return {area.x() + (area.width() - size.width()) / 2,
            area.y() + (area.height() - size.height()) / 2};
}

bool onSomeScreen(const QRect& place) {
    const QList<QScreen*> screens = QGuiApplication::screens();
    return std::any_of(screens.begin(), screens.end(),
                       [&](const QScreen* screen) { return screen->geometry().intersects(place); });
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
    const QSize size = window.frameGeometry().size();
    const QPoint centred = centredOn(window.screen()->geometry(), size);
    const QString name = window.objectName();
    const QPoint stored(storedPixels(store, name + kLeft, dpi).value_or(centred.x()),
                        storedPixels(store, name + kTop, dpi).value_or(centred.y()));
    // A place on a screen since unplugged would leave the window out of reach.
    window.move(onSomeScreen(QRect(stored, size))
                    ? stored
                    : centredOn(QGuiApplication::primaryScreen()->geometry(), size));
}

} // namespace resonex::gui

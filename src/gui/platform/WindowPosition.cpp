#include "gui/platform/WindowPosition.h"

#include "core/settings/StoredOptions.h"
#include "gui/platform/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <optional>

namespace resonex::gui {

namespace {

// Window systems place windows within 16-bit coordinates; a kept value beyond
// them is damaged, not a place.
constexpr double kFarthestPixel = 32767;

double screenDpi(const QWidget& window) { return window.screen()->logicalDotsPerInch(); }

// The kept coordinate in pixels, if there is a usable one.
std::optional<int> storedPixels(const OptionsStore& store, const stored::WindowEdge& edge,
                                const QString& window, double dpi) {
    const std::optional<float> twips = edge.read(store, window);
    if (!twips)
        return std::nullopt;
    const double pixels = *twips * dpi / kTwipsPerInch;
    if (std::abs(pixels) > kFarthestPixel)
        return std::nullopt;
    return qRound(pixels);
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
    stored::kWindowTop.write(store, name, static_cast<float>(pixelsToTwips(window.y(), dpi)));
    stored::kWindowLeft.write(store, name, static_cast<float>(pixelsToTwips(window.x(), dpi)));
}

void RestoreWindowPosition(QWidget& window, const OptionsStore& store) {
    const double dpi = screenDpi(window);
    const QSize size = window.frameGeometry().size();
    const QPoint centred = centredOn(window.screen()->geometry(), size);
    const QString name = window.objectName();
    const QPoint kept(storedPixels(store, stored::kWindowLeft, name, dpi).value_or(centred.x()),
                      storedPixels(store, stored::kWindowTop, name, dpi).value_or(centred.y()));
    // A place on a screen since unplugged would leave the window out of reach.
    window.move(onSomeScreen(QRect(kept, size))
                    ? kept
                    : centredOn(QGuiApplication::primaryScreen()->geometry(), size));
}

void SaveWindowSize(const QWidget& window, OptionsStore& store) {
    const double dpi = screenDpi(window);
    const QString name = window.objectName();
    stored::kWindowWidth.write(store, name, static_cast<float>(pixelsToTwips(window.width(), dpi)));
    stored::kWindowHeight.write(store, name,
                                static_cast<float>(pixelsToTwips(window.height(), dpi)));
}

void RestoreWindowSize(QWidget& window, const OptionsStore& store) {
    const double dpi = screenDpi(window);
    const QString name = window.objectName();
    const std::optional<int> width = storedPixels(store, stored::kWindowWidth, name, dpi);
    const std::optional<int> height = storedPixels(store, stored::kWindowHeight, name, dpi);
    if (!width || !height || *width <= 0 || *height <= 0)
        return;
    const QSize room = window.screen()->availableGeometry().size();
    window.resize(std::min(*width, room.width()), std::min(*height, room.height()));
}

} // namespace resonex::gui

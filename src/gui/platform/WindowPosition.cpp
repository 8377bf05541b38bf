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

// A dialog's owner, the window it belongs to; a main window has none.
const QWidget* ownerOf(const QWidget& window) {
    return window.parentWidget() ? window.parentWidget()->window() : nullptr;
}

// The place of a window that has no usable kept one: a dialog over the middle
// of its owner, moved in as far as it fits the owner's screen; a main window in
// the middle of the screen.
QPoint newPlace(const QWidget& window, const QSize& size, const QScreen& screen) {
    const QWidget* owner = ownerOf(window);
    if (!owner)
        return centredOn(screen.geometry(), size);
    // A dialog not shown yet has no frame to measure: its owner's stands in.
    const QSize framed =
        window.isVisible() ? size : size + owner->frameGeometry().size() - owner->size();
    const QRect room = owner->screen()->availableGeometry();
    const QPoint centred = centredOn(owner->frameGeometry(), framed);
    return {std::clamp(centred.x(), room.left(),
                       std::max(room.left(), room.x() + room.width() - framed.width())),
            std::clamp(centred.y(), room.top(),
                       std::max(room.top(), room.y() + room.height() - framed.height()))};
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
    const QPoint fresh = newPlace(window, size, *window.screen());
    const QString name = window.objectName();
    const QPoint kept(storedPixels(store, stored::kWindowLeft, name, dpi).value_or(fresh.x()),
                      storedPixels(store, stored::kWindowTop, name, dpi).value_or(fresh.y()));
    // A place on a screen since unplugged would leave the window out of reach.
    window.move(onSomeScreen(QRect(kept, size))
                    ? kept
                    : newPlace(window, size, *QGuiApplication::primaryScreen()));
}

void SaveWindowSize(const QWidget& window, OptionsStore& store) {
    const double dpi = screenDpi(window);
    const QString name = window.objectName();
    stored::kWindowWidth.write(store, name, static_cast<float>(pixelsToTwips(window.width(), dpi)));
    stored::kWindowHeight.write(store, name,
                                static_cast<float>(pixelsToTwips(window.height(), dpi)));
}

bool RestoreWindowSize(QWidget& window, const OptionsStore& store) {
    const double dpi = screenDpi(window);
    const QString name = window.objectName();
    const std::optional<int> width = storedPixels(store, stored::kWindowWidth, name, dpi);
    const std::optional<int> height = storedPixels(store, stored::kWindowHeight, name, dpi);
    if (!width || !height || *width <= 0 || *height <= 0)
        return false;
    const QSize room = window.screen()->availableGeometry().size();
    window.resize(std::min(*width, room.width()), std::min(*height, room.height()));
    return true;
}

void HoldToScreen(QWidget& window) {
    const QSize room = window.screen()->availableGeometry().size() -
                       (window.frameGeometry().size() - window.size());
    const QSize held = window.size().boundedTo(room);
    if (held != window.size())
        window.resize(held);
}

} // namespace resonex::gui

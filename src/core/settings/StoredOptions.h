#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <optional>

namespace resonex {

class OptionsStore;

// Everything the program keeps in the user's store, each declared once: its
// group, key, type and default. The entries read and write their own texts; a
// stored text that does not convert (or a number outside its range) reads as
// the default, so a damaged store never stops the program.
namespace stored {

// A Boolean, stored as "True" or "False".
struct BooleanOption {
    using Value = bool;
    QLatin1StringView group;
    QLatin1StringView key;
    bool fallback;

    bool defaultValue() const { return fallback; }

    bool read(const OptionsStore& store) const;
    void write(OptionsStore& store, bool value) const;
};

// A whole number within [smallest, largest].
struct IntegerOption {
    using Value = qint16;
    QLatin1StringView group;
    QLatin1StringView key;
    qint16 fallback;
    qint16 smallest;
    qint16 largest;

    qint16 defaultValue() const { return fallback; }

    qint16 read(const OptionsStore& store) const;
    void write(OptionsStore& store, qint16 value) const;
};

// A text, taken as it is stored; its default may depend on the machine.
struct TextOption {
    using Value = QString;
    QLatin1StringView group;
    QLatin1StringView key;
    QString (*fallback)();

    QString defaultValue() const { return fallback(); }

    QString read(const OptionsStore& store) const;
    void write(OptionsStore& store, const QString& value) const;
};

// One coordinate of a window's top-left corner, or one of its extents, in
// twips, kept under the window's object name followed by the suffix. It has no
// default: the window is placed or sized anew when it is missing or not a
// number.
struct WindowEdge {
    QLatin1StringView group;
    QLatin1StringView suffix;

    QString key(const QString& window) const { return window + suffix; }
    std::optional<float> read(const OptionsStore& store, const QString& window) const;
    void write(OptionsStore& store, const QString& window, float twips) const;
};

// Texts kept newest first under numbered keys (prefix 1 to prefix limit); a
// missing or empty one is passed over, and those after it are read on.
struct TextListOption {
    QLatin1StringView group;
    QLatin1StringView prefix;
    int limit;

    QStringList read(const OptionsStore& store) const;
    // Writes all limit keys, those past the list's end empty.
    void write(OptionsStore& store, const QStringList& values) const;
};

// The design folder of a first run: the user's home folder.
QString homeFolder();

inline constexpr QLatin1StringView kOptionsGroup("Options");
inline constexpr QLatin1StringView kWindowsGroup("Windows");
inline constexpr QLatin1StringView kDrawingGroup("Drawing");
inline constexpr QLatin1StringView kRecentDesignsGroup("RecentDesigns");
inline constexpr QLatin1StringView kFoldersGroup("Folders");

// The program's options. A first run's units are millimetres and its mains
// 50 Hz, which a new design read over a file also starts from.
inline constexpr BooleanOption kUseMetric{kOptionsGroup, QLatin1StringView("UseMetric"), true};
inline constexpr BooleanOption kUse50Hz{kOptionsGroup, QLatin1StringView("Use50Hz"), true};
inline constexpr TextOption kDesPath{kOptionsGroup, QLatin1StringView("DesPath"), homeFolder};
inline constexpr TextOption kFontName{kOptionsGroup, QLatin1StringView("FontName"),
                                      [] { return QStringLiteral("Arial"); }};
// In points; the range is the sizes the font picker offers.
inline constexpr IntegerOption kFontSize{kOptionsGroup, QLatin1StringView("FontSize"), 10, 6, 72};

// Where each window was left.
inline constexpr WindowEdge kWindowTop{kWindowsGroup, QLatin1StringView("Top")};
inline constexpr WindowEdge kWindowLeft{kWindowsGroup, QLatin1StringView("Left")};
// The main window's size, beside its corner.
inline constexpr WindowEdge kWindowWidth{kWindowsGroup, QLatin1StringView("Width")};
inline constexpr WindowEdge kWindowHeight{kWindowsGroup, QLatin1StringView("Height")};

// The designs opened or saved last, newest first.
inline constexpr TextListOption kRecentDesigns{kRecentDesignsGroup, QLatin1StringView("File"), 8};

// The folder a file dialog was last left in; none at first, when the dialogs
// start in the design folder.
inline constexpr TextOption kLastFolder{kFoldersGroup, QLatin1StringView("LastUsed"),
                                        [] { return QString(); }};

// The main window's drawing pane: whether it is shown (not until the user asks
// for it, as it is printed with the summary while shown), and its width in
// twips (four inches at first).
inline constexpr BooleanOption kDrawingVisible{kDrawingGroup, QLatin1StringView("Visible"), false};
inline constexpr IntegerOption kDrawingWidth{kDrawingGroup, QLatin1StringView("Width"), 5760, 0,
                                             32767};

} // namespace stored

} // namespace resonex

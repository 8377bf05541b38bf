#pragma once

#include <QString>

namespace resonex {

// The program's title (message boxes, the settings' application name) and the
// version written into every design file.
inline constexpr const char* kAppTitle = "Resonex";
inline constexpr int kMajorVersion = 2;
inline constexpr int kMinorVersion = 0;

// The notice line of the splash window and the About box.
inline constexpr const char16_t* kNotice = u"Copyright \u00A9 2026 Resonex";

// "Version 2.0": each number in plain digits.
inline QString versionText() {
    return QStringLiteral("Version %1.%2").arg(kMajorVersion).arg(kMinorVersion);
}

} // namespace resonex

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

// The About box's licence line: the terms, where to read them, no warranty.
inline constexpr const char* kLicenceNotice =
    "Resonex is free software: you may share and change it under the\n"
    "GNU General Public License, version 3 or later\n"
    "(https://www.gnu.org/licenses/). It comes with NO WARRANTY.";

// "Version 2.0": each number in plain digits.
inline QString versionText() {
    return QStringLiteral("Version %1.%2").arg(kMajorVersion).arg(kMinorVersion);
}

} // namespace resonex

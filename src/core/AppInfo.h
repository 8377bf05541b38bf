#pragma once

namespace resonex {

// The program's title (message boxes, the settings' application name) and the
// version written into every design file.
inline constexpr const char* kAppTitle = "Resonex";
inline constexpr int kMajorVersion = 2;
inline constexpr int kMinorVersion = 0;

} // namespace resonex

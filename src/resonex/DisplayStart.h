#pragma once

#include <QApplication>

#include <memory>

namespace resonex {

// The desktop program's application, or null when no display is named to
// show its windows on (nor a platform chosen for Qt): the user has then been
// told that Resonex needs one and that resonex-cli works without, and the
// program is to exit with status 1. Where a display is named but cannot be
// reached, this ends the program with the same message and status, in place
// of Qt's abort.
std::unique_ptr<QApplication> startOnDisplay(int& argc, char** argv);

} // namespace resonex

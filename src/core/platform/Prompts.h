#pragma once

#include <QString>

namespace resonex {

// Everything that tells the user something goes through here: the desktop
// program shows message boxes, the command-line companion writes to stderr,
// tests record what was said.
class Prompts {
public:
    enum class Icon { None, Exclamation, Critical };

    virtual ~Prompts() = default;

    // A message with an OK button; returns when the user has closed it.
    virtual void tell(const QString& title, const QString& text, Icon icon) = 0;
};

} // namespace resonex

#pragma once

#include "platform/Prompts.h"

#include <cstdio>

namespace resonex::cli {

// Messages meant for a message box go to stderr; the command goes on.
class StderrPrompts : public Prompts {
public:
    void tell(const QString&, const QString& text, Icon) override {
        std::fprintf(stderr, "resonex-cli: %s\n", qPrintable(text));
    }
};

} // namespace resonex::cli

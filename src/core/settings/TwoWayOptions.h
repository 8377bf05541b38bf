#pragma once

#include "core/settings/StoredOptions.h"

namespace resonex {

// The design's two options that are a choice between two ways, each declared
// once: the option the store keeps, its `resonex-cli` option and words, and
// the Options dialog's frame and buttons for it.
struct TwoWayOption {
    // One way: the word resonex-cli takes, and its button.
    struct Way {
        const char* word;
        const char* buttonName;
        const char* caption;
    };

    const stored::BooleanOption& stored;
    const char* option;
    const char* help; // what it sets, for --help and the manual
    const char* frameName;
    const char* frameCaption;
    Way whenTrue;
    Way whenFalse;

    const Way& way(bool value) const { return value ? whenTrue : whenFalse; }
};

inline constexpr TwoWayOption kUnitsOption{
    stored::kUseMetric,
    "--units",
    "input length units of a new design",
    "Frame2",
    "Input parameter units",
    {"mm", "optUseMetric", "I wish to use metric units for the input parameters (millimeters)"},
    {"in", "optUseImperial", "I wish to use imperial units for the input parameters (inches)"}};

inline constexpr TwoWayOption kMainsOption{stored::kUse50Hz,
                                           "--mains",
                                           "mains frequency in Hz",
                                           "Frame1",
                                           "Local Mains Frequency",
                                           {"50", "optUse50Hz", "50 Hz"},
                                           {"60", "optUse60Hz", "60 Hz"}};

} // namespace resonex

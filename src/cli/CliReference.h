#pragma once

#include <QString>

// The parts of resonex-cli's manual page and shell completion that list the
// design's inputs, written from the input table at build time, so that a new
// input reaches them with its row.
namespace resonex::cli {

// The manual's entries of the design's two-way options and its option
// sections of the calculations, in roff.
QString manTwoWayOptions();
QString manInputOptions();

// The completion's cases of the options offering their words (the two-way
// options and the inputs that are choices), and its word lists: the options
// taking 0 or 1, the top load's
// shapes, the options taking a typed value, and every calc option.
QString wordCases();
QString choiceOptionsPattern();
QString shapeWords();
QString valueOptionsPattern();
QString calcOptionWords();

} // namespace resonex::cli

#pragma once

#include "core/sequence_row.h"

#include <vector>

// Whether each channel that the rows switch on reaches, at some tick, the
// first brightness step the device picture shows, when the rows run from a
// reset and start again after the last, as a generated sequence loops and
// the Generate preview runs them. The rows hold no jumps.
bool EveryChannelLightsUp(const std::vector<SequenceRow> &rows);

#pragma once

#include "core/sequence_row.h"

// A row slot the editor has not filled: a dark pattern held for one tick.
constexpr SequenceRow EmptyRow()
{
    return { 0, 0, 1, 0, 0 };
}

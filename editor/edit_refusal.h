#pragma once

#include <cstdint>

// Why the LED Editor left its rows as they were, for the note it shows
// beside a line: the rows themselves change exactly as they would without
// it.
struct EditRefusal {
    enum class Why {
        // A typed time outside 1..MAX_ROW_TIME.
        TimeOutOfRange,
        // A typed parameter outside what the command with `letter` takes.
        ParameterOutOfRange,
        // `lines` lines to insert where only `freeRows` rows are free.
        LinesDoNotFit,
        // A paste of a clipboard that holds no lines.
        NoLines,
    };

    Why why;
    // The line the note goes beside.
    int line;
    std::uint8_t letter = 0;
    int lines = 0;
    int freeRows = 0;
};

#pragma once

#include "upload/upload_image.h"

#include <functional>

// The upload command of the simulation view, apart from the window: the view
// keeps the sending flag and calls these from its handlers.

// The update rule: enabled while no upload is being sent, the simulation is
// stopped and the table has rows.
bool CanUpload(bool sending, bool running, int rowCount);

// Hands the image over to the sound output: (block count, image) -> started.
using TransmitImage = std::function<bool(int blockCount, const std::uint8_t *image)>;

// The handler, after the document has taken the rows of an open editor:
// encodes the rows, sets the sending flag and starts the transmission. When
// the transmission cannot start, no completion will come, so the flag is
// cleared again and false returned for the view to tell the user.
bool StartUpload(const RowTable &rows, bool &sending, const TransmitImage &transmit);

// The completion handler: releases the transmitter, then clears the flag.
void FinishUpload(bool &sending, const std::function<void()> &release);

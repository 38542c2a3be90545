#include "upload/upload_command.h"

bool CanUpload(bool sending, bool running, int rowCount)
{
    return !sending && !running && rowCount > 0;
}

bool StartUpload(const RowTable &rows, bool &sending, const TransmitImage &transmit)
{
    const UploadImage image = EncodeUploadImage(rows);
    sending = true;
    if (!transmit(UPLOAD_BLOCK_COUNT, image.data()))
        sending = false;
    return sending;
}

void FinishUpload(bool &sending, const std::function<void()> &release)
{
    release();
    sending = false;
}

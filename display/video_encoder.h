#pragma once

#include "display/animation_encoder.h"

#include <memory>

class OutputFile;
struct AVBufferPool;
struct AVCodecContext;
struct AVFormatContext;
struct AVFrame;
struct AVIOContext;
struct AVPacket;
struct AVStream;
struct SwsContext;

// Writes a video through FFmpeg's libraries at a constant VIDEO_FRAME_RATE,
// each frame the picture in force at its moment: H.264 in MP4 or VP9 in
// WebM, 4:2:0, marked as BT.601 studio range so that players show the
// device's colours. A picture is converted only when a frame shows it, into
// a buffer the encoder may keep while it looks ahead.
class VideoEncoder final : public AnimationEncoder
{
public:
    explicit VideoEncoder(AnimationFormat format);
    ~VideoEncoder() override;

    bool Begin(
        const std::string &path, int size, const std::vector<AnimationPicture> &colourSamples) override;
    bool Show(
        std::uint64_t slot, const AnimationPicture &picture, const std::vector<PixelRun> &changed) override;
    bool Finish(std::uint64_t endSlot) override;
    std::string Error() const override { return m_error; }

private:
    static int WritePacket(void *opaque, std::uint8_t *bytes, int length);
    static std::int64_t Seek(void *opaque, std::int64_t offset, int whence);

    // Keeps what went wrong; a failed write of the file says why itself.
    bool Fail(const std::string &what, int code = 0);
    bool OpenCodec(int size);
    bool OpenContainer();
    // Encodes the frames whose moment lies before slot, showing the picture
    // in force; with no picture yet, none.
    bool EncodeFramesBefore(std::uint64_t slot);
    bool EncodeNextFrame();
    // Converts the picture into a frame buffer of its own.
    bool ConvertPicture();
    // Sends a frame (null: the end) and writes the packets that come out.
    bool Encode(AVFrame *frame);

    AnimationFormat m_format;
    std::string m_error;
    std::unique_ptr<OutputFile> m_file;
    AVFormatContext *m_container = nullptr;
    AVIOContext *m_io = nullptr;
    AVCodecContext *m_codec = nullptr;
    AVStream *m_stream = nullptr;
    AVFrame *m_frame = nullptr;
    AVPacket *m_packet = nullptr;
    SwsContext *m_converter = nullptr;
    AVBufferPool *m_framePool = nullptr;
    // The picture in force, and whether m_frame holds it converted.
    std::vector<std::uint32_t> m_picture;
    bool m_hasPicture = false;
    bool m_converted = false;
    std::uint64_t m_nextFrame = 0;
};

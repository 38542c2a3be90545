#include "display/video_encoder.h"

#include "display/animation_timing.h"
#include "platform/output_file.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/error.h>
#include <libavutil/imgutils.h>
#include <libavutil/log.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

#include <cstdio>
#include <utility>

namespace
{

constexpr int IO_BUFFER_SIZE = 64 * 1024;
constexpr int BYTES_PER_PIXEL = 4;
constexpr int FRAME_ALIGNMENT = 64;
constexpr AVPixelFormat PICTURE_FORMAT = AV_PIX_FMT_BGRA;
constexpr AVPixelFormat VIDEO_FORMAT = AV_PIX_FMT_YUV420P;

struct VideoKind {
    const char *container;
    AVCodecID codec;
    // Settings of the encoder's own: the quickest it has, as a minute of
    // video must take seconds, and a quality where the glow shows no blocks.
    std::vector<std::pair<const char *, const char *>> options;
};

VideoKind KindOf(AnimationFormat format)
{
    if (format == AnimationFormat::WebM)
        return { "webm", AV_CODEC_ID_VP9,
            { { "deadline", "realtime" }, { "cpu-used", "8" }, { "row-mt", "1" }, { "crf", "30" } } };
    return { "mp4", AV_CODEC_ID_H264, { { "preset", "ultrafast" }, { "crf", "20" } } };
}

std::string AvErrorText(int code)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return text;
}

} // namespace

VideoEncoder::VideoEncoder(AnimationFormat format)
    : m_format(format)
{
}

VideoEncoder::~VideoEncoder()
{
    sws_freeContext(m_converter);
    av_buffer_pool_uninit(&m_framePool);
    av_packet_free(&m_packet);
    av_frame_free(&m_frame);
    avcodec_free_context(&m_codec);
    // The container does not own the I/O context it was given.
    avformat_free_context(m_container);
    if (m_io)
        av_freep(&m_io->buffer);
    avio_context_free(&m_io);
}

bool VideoEncoder::Fail(const std::string &what, int code)
{
    if (m_file && !m_file->Error().empty())
        m_error = m_file->Error();
    else
        m_error = code ? what + ": " + AvErrorText(code) : what;
    return false;
}

int VideoEncoder::WritePacket(void *opaque, std::uint8_t *bytes, int length)
{
    auto *encoder = static_cast<VideoEncoder *>(opaque);
    return encoder->m_file->Write(bytes, static_cast<std::size_t>(length)) ? length : AVERROR(EIO);
}

std::int64_t VideoEncoder::Seek(void *opaque, std::int64_t offset, int whence)
{
    OutputFile &file = *static_cast<VideoEncoder *>(opaque)->m_file;
    if (whence & AVSEEK_SIZE)
        return file.Size();
    const std::int64_t position = file.Seek(offset, whence & ~AVSEEK_FORCE);
    return position >= 0 ? position : AVERROR(EIO);
}

bool VideoEncoder::Begin(const std::string &path, int size, const std::vector<AnimationPicture> &)
{
    // The encoders' own chatter is no news to the user; failures are told.
    av_log_set_level(AV_LOG_ERROR);
    if (size % 2 != 0)
        return Fail("a video needs an even size");
    m_file = std::make_unique<OutputFile>(path);
    if (!m_file->Open())
        return Fail("cannot write the video");
    if (!OpenContainer() || !OpenCodec(size))
        return false;
    m_stream = avformat_new_stream(m_container, nullptr);
    if (!m_stream)
        return Fail("cannot make the video stream");
    m_stream->time_base = m_codec->time_base;
    int result = avcodec_parameters_from_context(m_stream->codecpar, m_codec);
    AVDictionary *containerOptions = nullptr;
    // An MP4 cannot go back to its start on a pipe: it comes in fragments
    // there, with its index up front.
    if (m_format == AnimationFormat::Mp4 && m_file->IsSequential())
        av_dict_set(&containerOptions, "movflags", "frag_keyframe+empty_moov", 0);
    if (result >= 0)
        result = avformat_write_header(m_container, &containerOptions);
    av_dict_free(&containerOptions);
    if (result < 0)
        return Fail("cannot start the video", result);
    m_converter = sws_getContext(
        size, size, PICTURE_FORMAT, size, size, VIDEO_FORMAT, SWS_BILINEAR, nullptr, nullptr, nullptr);
    m_framePool = av_buffer_pool_init(
        static_cast<std::size_t>(av_image_get_buffer_size(VIDEO_FORMAT, size, size, FRAME_ALIGNMENT)),
        nullptr);
    m_picture.resize(static_cast<std::size_t>(size) * static_cast<std::size_t>(size));
    return (m_converter && m_framePool) || Fail("cannot convert pictures for the video");
}

bool VideoEncoder::OpenContainer()
{
    const int result
        = avformat_alloc_output_context2(&m_container, nullptr, KindOf(m_format).container, nullptr);
    if (result < 0)
        return Fail("FFmpeg cannot write this kind of video", result);
    auto *buffer = static_cast<unsigned char *>(av_malloc(IO_BUFFER_SIZE));
    m_io = buffer ? avio_alloc_context(
               buffer, IO_BUFFER_SIZE, 1, this, nullptr, &VideoEncoder::WritePacket, &VideoEncoder::Seek)
                  : nullptr;
    if (!m_io) {
        av_free(buffer);
        return Fail("not enough memory for the video");
    }
    // A pipe is written in one go; the container then does without an index.
    if (m_file->IsSequential())
        m_io->seekable = 0;
    m_container->pb = m_io;
    // The same sequence makes the same file: no random ids, no version tags.
    m_container->flags |= AVFMT_FLAG_CUSTOM_IO | AVFMT_FLAG_BITEXACT;
    return true;
}

bool VideoEncoder::OpenCodec(int size)
{
    const VideoKind kind = KindOf(m_format);
    const AVCodec *codec = avcodec_find_encoder(kind.codec);
    if (!codec)
        return Fail(std::string("FFmpeg has no ") + avcodec_get_name(kind.codec) + " encoder");
    m_codec = avcodec_alloc_context3(codec);
    m_frame = av_frame_alloc();
    m_packet = av_packet_alloc();
    if (!m_codec || !m_frame || !m_packet)
        return Fail("not enough memory for the video");
    m_codec->width = size;
    m_codec->height = size;
    m_codec->pix_fmt = VIDEO_FORMAT;
    m_codec->time_base = { 1, VIDEO_FRAME_RATE };
    m_codec->framerate = { VIDEO_FRAME_RATE, 1 };
    // A key frame every second, so that players can jump about; as many
    // threads as there are cores.
    m_codec->gop_size = VIDEO_FRAME_RATE;
    m_codec->thread_count = 0;
    m_codec->bit_rate = 0;
    m_codec->color_range = AVCOL_RANGE_MPEG;
    m_codec->colorspace = AVCOL_SPC_SMPTE170M;
    m_codec->color_primaries = AVCOL_PRI_BT709;
    m_codec->color_trc = AVCOL_TRC_IEC61966_2_1;
    if (m_container->oformat->flags & AVFMT_GLOBALHEADER)
        m_codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    for (const auto &[name, value] : kind.options)
        av_opt_set(m_codec->priv_data, name, value, 0);
    const int result = avcodec_open2(m_codec, codec, nullptr);
    return result >= 0 || Fail("cannot start the video encoder", result);
}

bool VideoEncoder::Show(
    std::uint64_t slot, const AnimationPicture &picture, const std::vector<PixelRun> &changed)
{
    if (!EncodeFramesBefore(slot))
        return false;
    if (m_hasPicture) {
        for (const PixelRun &run : changed) {
            const std::size_t row = static_cast<std::size_t>(run.y) * static_cast<std::size_t>(picture.size);
            std::copy(picture.pixels + row + run.left, picture.pixels + row + run.right,
                m_picture.begin() + row + run.left);
        }
    } else {
        std::copy(picture.pixels, picture.pixels + m_picture.size(), m_picture.begin());
    }
    m_hasPicture = true;
    m_converted = false;
    return true;
}

bool VideoEncoder::ConvertPicture()
{
    av_frame_unref(m_frame);
    m_frame->buf[0] = av_buffer_pool_get(m_framePool);
    if (!m_frame->buf[0])
        return Fail("not enough memory for the video");
    const int size = m_codec->width;
    m_frame->format = VIDEO_FORMAT;
    m_frame->width = size;
    m_frame->height = size;
    av_image_fill_arrays(
        m_frame->data, m_frame->linesize, m_frame->buf[0]->data, VIDEO_FORMAT, size, size, FRAME_ALIGNMENT);
    const auto *pixels = reinterpret_cast<const std::uint8_t *>(m_picture.data());
    const int stride = size * BYTES_PER_PIXEL;
    sws_scale(m_converter, &pixels, &stride, 0, size, m_frame->data, m_frame->linesize);
    m_converted = true;
    return true;
}

bool VideoEncoder::EncodeFramesBefore(std::uint64_t slot)
{
    while (m_hasPicture && VideoFrameSlot(m_nextFrame) < slot)
        if (!EncodeNextFrame())
            return false;
    return true;
}

bool VideoEncoder::EncodeNextFrame()
{
    if (!m_converted && !ConvertPicture())
        return false;
    m_frame->pts = static_cast<std::int64_t>(m_nextFrame++);
    return Encode(m_frame);
}

bool VideoEncoder::Encode(AVFrame *frame)
{
    int result = avcodec_send_frame(m_codec, frame);
    while (result >= 0) {
        result = avcodec_receive_packet(m_codec, m_packet);
        if (result == AVERROR(EAGAIN) || result == AVERROR_EOF)
            return true;
        if (result < 0)
            break;
        m_packet->duration = 1;
        av_packet_rescale_ts(m_packet, m_codec->time_base, m_stream->time_base);
        m_packet->stream_index = m_stream->index;
        result = av_interleaved_write_frame(m_container, m_packet);
    }
    return Fail("cannot write the video", result);
}

bool VideoEncoder::Finish(std::uint64_t endSlot)
{
    if (!m_hasPicture)
        return Fail("the animation has no picture");
    while (m_nextFrame < VideoFrameCount(endSlot))
        if (!EncodeNextFrame())
            return false;
    if (!Encode(nullptr))
        return false;
    const int result = av_write_trailer(m_container);
    if (result < 0)
        return Fail("cannot write the video", result);
    avio_flush(m_io);
    return (m_io->error == 0 && m_file->Commit()) || Fail("cannot write the video");
}

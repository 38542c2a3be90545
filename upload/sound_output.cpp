#include "upload/sound_output.h"

#include <algorithm>
#include <cctype>

namespace
{

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
        [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool Contains(const std::string &text, const char *part)
{
    return text.find(part) != std::string::npos;
}

} // namespace

SoundOutputKind ClassifySoundOutput(const std::string &bus, const std::string &api,
    const std::string &formFactor, const std::string &activePort)
{
    const std::string port = Lower(activePort);
    if (bus == "bluetooth" || api == "bluez" || Contains(port, "a2dp") || Contains(port, "headset-head-unit"))
        return SoundOutputKind::Bluetooth;
    // A USB sound card may have an HDMI output of its own, so the port comes
    // first.
    if (Contains(port, "hdmi") || Contains(port, "displayport") || Contains(port, "[dp")
        || formFactor == "tv")
        return SoundOutputKind::HdmiOrDisplayPort;
    if (bus == "usb")
        return SoundOutputKind::Usb;
    return SoundOutputKind::BuiltIn;
}

std::string SoundOutputFlags(const SoundOutput &output)
{
    std::string flags;
    const auto add = [&flags](const std::string &flag) { flags += (flags.empty() ? "" : ",") + flag; };
    if (output.isDefault)
        add("default");
    if (output.muted)
        add("muted");
    add("volume=" + std::to_string(output.volumePercent) + "%");
    switch (output.kind) {
    case SoundOutputKind::Bluetooth: add("bluetooth"); break;
    case SoundOutputKind::HdmiOrDisplayPort: add("hdmi"); break;
    case SoundOutputKind::Usb: add("usb"); break;
    case SoundOutputKind::BuiltIn: break;
    }
    return flags;
}

#pragma once

#include <string>
#include <vector>

// A sound output (a sink of the sound server) as the upload sees it.
enum class SoundOutputKind {
    BuiltIn,
    Bluetooth,
    Usb,
    HdmiOrDisplayPort,
};

struct SoundOutput {
    std::string name;
    std::string description;
    bool muted = false;
    // The sink's volume, the loudest channel, 100 for 0 dB.
    int volumePercent = 100;
    bool isDefault = false;
    SoundOutputKind kind = SoundOutputKind::BuiltIn;
};

using SoundOutputs = std::vector<SoundOutput>;

// What a sink is, from its properties (device.bus, device.form_factor,
// device.api) and the name of its active port: Bluetooth, USB and HDMI or
// DisplayPort are told apart, everything else counts as built in.
SoundOutputKind ClassifySoundOutput(const std::string &bus, const std::string &api,
    const std::string &formFactor, const std::string &activePort);

// The comma-separated flags pemblo-cli prints for an output:
// "default,muted,volume=35%,bluetooth".
std::string SoundOutputFlags(const SoundOutput &output);

#include "upload/sound_output.h"
#include "upload/sound_path_check.h"

#include <gtest/gtest.h>

namespace
{

using Finding = SoundPathFinding;

SoundOutput Output(const char *name, bool isDefault, int volume = 100, bool muted = false,
    SoundOutputKind kind = SoundOutputKind::BuiltIn)
{
    return { name, std::string(name) + " speakers", muted, volume, isDefault, kind };
}

TEST(SoundPath, ChoosesTheOutputAndSaysWhatIsWrongWithIt)
{
    const SoundOutputs two = { Output("speakers", true), Output("line", false, 35, true),
        Output("tv", false, 120, false, SoundOutputKind::HdmiOrDisplayPort) };
    const SoundOutputs one = { Output("bt", false, 100, false, SoundOutputKind::Bluetooth) };
    struct Row {
        const char *what;
        SoundOutputs outputs;
        std::string chosen;
        int output;
        std::vector<Finding> findings;
        bool askFirst;
    } rows[] = {
        { "nothing chosen among several", two, "", 0, {}, true },
        { "the chosen one, fine", two, "speakers", 0, {}, false },
        { "muted and quiet", two, "line", 1, { Finding::Muted, Finding::VolumeLow }, true },
        { "too loud, a screen", two, "tv", 2, { Finding::VolumeHigh, Finding::HdmiOrDisplayPort }, true },
        { "gone: the default plays", two, "usb", 0, { Finding::ChosenOutputGone }, true },
        { "one output, none listed as default", one, "", 0, { Finding::Bluetooth }, true },
        { "no output", {}, "", -1, { Finding::NoOutput }, true },
        { "the only one, fine", { Output("a", true, 50) }, "", 0, {}, false },
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        const SoundPath path = CheckSoundPath(row.outputs, row.chosen);
        EXPECT_EQ(path.output, row.output);
        EXPECT_EQ(path.findings, row.findings);
        EXPECT_EQ(path.askFirst, row.askFirst);
    }
}

TEST(SoundPath, TellsKindsFromPropertiesAndPortAndPrintsFlags)
{
    struct Row {
        const char *bus, *api, *formFactor, *port;
        SoundOutputKind kind;
    } rows[] = {
        { "pci", "alsa", "internal", "analog-output-speaker", SoundOutputKind::BuiltIn },
        { "bluetooth", "", "headphone", "headphone-output", SoundOutputKind::Bluetooth },
        { "", "bluez", "", "", SoundOutputKind::Bluetooth },
        { "usb", "alsa", "", "analog-output", SoundOutputKind::Usb },
        { "usb", "alsa", "", "hdmi-output-0", SoundOutputKind::HdmiOrDisplayPort },
        { "pci", "alsa", "", "[Out] HDMI1", SoundOutputKind::HdmiOrDisplayPort },
        { "pci", "alsa", "tv", "", SoundOutputKind::HdmiOrDisplayPort },
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.port);
        EXPECT_EQ(ClassifySoundOutput(row.bus, row.api, row.formFactor, row.port), row.kind);
    }
    EXPECT_EQ(SoundOutputFlags(Output("a", true, 35, true, SoundOutputKind::Bluetooth)),
        "default,muted,volume=35%,bluetooth");
    EXPECT_EQ(SoundOutputFlags(Output("b", false, 100, false, SoundOutputKind::Usb)), "volume=100%,usb");
}

} // namespace

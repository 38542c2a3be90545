#include "upload/sound_path_check.h"

#include <algorithm>

namespace
{

int IndexOf(const SoundOutputs &outputs, const std::string &name)
{
    const auto found = std::find_if(
        outputs.begin(), outputs.end(), [&name](const SoundOutput &output) { return output.name == name; });
    return found == outputs.end() ? -1 : static_cast<int>(found - outputs.begin());
}

// The server's default, else the first one it listed.
int DefaultOutput(const SoundOutputs &outputs)
{
    const auto found = std::find_if(
        outputs.begin(), outputs.end(), [](const SoundOutput &output) { return output.isDefault; });
    return found == outputs.end() ? 0 : static_cast<int>(found - outputs.begin());
}

void AddOutputFindings(const SoundOutput &output, std::vector<SoundPathFinding> &findings)
{
    if (output.muted)
        findings.push_back(SoundPathFinding::Muted);
    if (output.volumePercent < MIN_UPLOAD_VOLUME_PERCENT)
        findings.push_back(SoundPathFinding::VolumeLow);
    if (output.volumePercent > MAX_UPLOAD_VOLUME_PERCENT)
        findings.push_back(SoundPathFinding::VolumeHigh);
    if (output.kind == SoundOutputKind::Bluetooth)
        findings.push_back(SoundPathFinding::Bluetooth);
    if (output.kind == SoundOutputKind::HdmiOrDisplayPort)
        findings.push_back(SoundPathFinding::HdmiOrDisplayPort);
}

} // namespace

SoundPath CheckSoundPath(const SoundOutputs &outputs, const std::string &chosen)
{
    SoundPath path;
    if (outputs.empty()) {
        path.findings.push_back(SoundPathFinding::NoOutput);
        path.askFirst = true;
        return path;
    }
    path.output = chosen.empty() ? -1 : IndexOf(outputs, chosen);
    if (!chosen.empty() && path.output < 0)
        path.findings.push_back(SoundPathFinding::ChosenOutputGone);
    if (path.output < 0)
        path.output = DefaultOutput(outputs);
    AddOutputFindings(outputs[static_cast<std::size_t>(path.output)], path.findings);
    path.askFirst = !path.findings.empty() || (chosen.empty() && outputs.size() > 1);
    return path;
}

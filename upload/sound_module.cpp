#include "upload/sound_module.h"

#include "platform/module_loader.h"
#include "upload/sound_playback.h"

bool ListSoundOutputsNow(SoundOutputs &outputs, std::string &error)
{
    const auto list
        = ResolveModuleFunction<ListSoundOutputsFunction>(SOUND_MODULE, LIST_SOUND_OUTPUTS, error);
    if (!list)
        return false;
    outputs.clear();
    if (list(&outputs))
        return true;
    error = "There is no sound output.";
    return false;
}

bool UnmuteSoundOutputNow(const std::string &name)
{
    std::string error;
    const auto unmute
        = ResolveModuleFunction<UnmuteSoundOutputFunction>(SOUND_MODULE, UNMUTE_SOUND_OUTPUT, error);
    return unmute && unmute(name);
}

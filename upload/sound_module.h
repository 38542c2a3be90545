#pragma once

#include "upload/sound_output.h"

#include <string>

// The sound module's listing and unmuting, for callers that do not play;
// the module is loaded at the first call.

// False, with the reason in English in error, when the module cannot be
// loaded or no sound server answers.
bool ListSoundOutputsNow(SoundOutputs &outputs, std::string &error);
// False when the output cannot be unmuted.
bool UnmuteSoundOutputNow(const std::string &name);

#pragma once

#include "display/animation_encoder.h"

#include <memory>
#include <string>

// A new encoder for the format, from the encoders module, which is loaded
// on first use (platform/module_loader.h). Null, and error saying why, when
// the module cannot be loaded.
std::unique_ptr<AnimationEncoder> LoadAnimationEncoder(AnimationFormat format, std::string &error);

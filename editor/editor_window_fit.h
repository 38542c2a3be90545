#pragma once

#include "editor/editor_layout.h"

// The outer size for a new editor window: its frame around the content, but
// at most 9/10 of the view's client area in each direction.
PixelSize FitEditorWindow(const PixelSize &frame, const PixelSize &content, const PixelSize &viewClient);

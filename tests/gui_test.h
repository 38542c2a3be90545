#pragma once

// Widget tests run on the offscreen platform, with a QApplication made before
// the first test and the settings in a temporary directory of their own,
// never the user's.

// Empties the settings store, so that a test starts as on a first start.
void ClearTestSettings();

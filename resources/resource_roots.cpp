#include "resources/resource_roots.h"

// These match the prefixes given to the resource compiler in CMakeLists.txt.
const char ResourceRoots::BUILT_IN[] = ":/pemblo/english";
const char ResourceRoots::GERMAN[] = ":/pemblo/german";

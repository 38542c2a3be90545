#pragma once

// Where the resources of Pemblo! sit in the Qt resource tree: the English
// resources built into the program, and the German bundle once registered.
// Inside a root, strings.json and menus.json hold the string table and the
// menus, bitmaps/<id>.png the bitmaps and icons/<id>/<size>.png the icons.
namespace ResourceRoots
{

extern const char BUILT_IN[];
extern const char GERMAN[];

} // namespace ResourceRoots

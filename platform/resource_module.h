#pragma once

#include "platform/menu_resource.h"

#include <QIcon>
#include <QImage>
#include <QKeySequence>
#include <QLocale>
#include <QString>

#include <vector>

// One entry of an accelerator table: a key and the command it sends.
struct Accelerator {
    QKeySequence keys;
    int id;
};

// The resources of Pemblo! by numeric id. The English resources are built
// in; when the German bundle is loaded, look-ups go to it first and fall back
// to the built-in resources for whatever it does not hold.
namespace ResourceModule
{

inline constexpr char GERMAN_BUNDLE[] = "german.rcc";

// The string, or an empty one when no module has it.
QString LoadString(int id);
// The string among ids firstId..lastId whose built-in English text is
// english, in the current language; english itself when none is.
QString LoadStringWithEnglishText(const QString &english, int firstId, int lastId);
// The tooltip in the string of a command: the part after its newline; empty
// when the string has none.
QString LoadToolTip(int id);
// The popups of a menu; empty when there is no such menu.
std::vector<MenuItem> LoadMenu(int id);
// A null image when there is no such bitmap. With a scale other than 1, the
// bitmap drawn for screens of that device pixel ratio.
QImage LoadBitmap(int id, double scale = 1);
// Every size the icon comes in; a null icon when there is none.
QIcon LoadIcon(int id);
// Accelerator tables belong to the program, not to a language: they come
// from the built-in resources only.
std::vector<Accelerator> LoadAccelerators(int id);

// Registers the German bundle at path in place of one loaded before, and
// Qt's own German texts for its dialogs where they are installed; false, and
// the program English, when it is not a bundle with a German string table.
// The bundle is read and checked whole first (ReadBundleEntries): a damaged
// one counts as missing.
bool LoadLanguageBundle(const QString &path);
// Loads german.rcc, found as bundles are found (FindBundleFile).
bool LoadGermanBundle();
void UnloadLanguageBundle();
bool IsLanguageBundleLoaded();
// How the windows write numbers: as German does while the German bundle is
// loaded ("1,4 s"), otherwise as English does ("1.4 s").
QLocale InterfaceLocale();

} // namespace ResourceModule

#pragma once

#include <QString>

// The file of a bundle (the device bundle, the German bundle) called name: an
// absolute path is taken as it is; a relative name is looked for beside the
// executable, then in the installed data folder, then in the current
// directory. Empty when there is no such file.
QString FindBundleFile(const QString &name);

// The path of name in the data folder installed with the program,
// ../share/pemblo/ from the executable, whether or not it exists.
QString InstalledDataPath(const QString &name);

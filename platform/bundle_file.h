#pragma once

#include <QString>

// The file of a bundle (the device bundle, the German bundle) called name: an
// absolute path is taken as it is; a relative name is looked for beside the
// executable, then in ../share/pemblo/ from there, then in the current
// directory. Empty when there is no such file.
QString FindBundleFile(const QString &name);

#pragma once

#include <QString>

#include <string>

// The file of a bundle (the device bundle, the German bundle) called name: an
// absolute path is taken as it is; a relative name is looked for beside the
// executable, then in ../share/pemblo/ from there, then in the current
// directory. Empty when there is no such file.
QString FindBundleFile(const QString &name);
// The same for a name as the bytes the system gives, which need not be
// UTF-8 as Qt's names are.
std::string FindBundleFile(const std::string &name);

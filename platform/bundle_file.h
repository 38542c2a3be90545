#pragma once

#include <QString>

#include <string>

// The file called fileName beside the executable, else in installDir (a
// path relative to the executable's folder, as the installed layout has
// it); empty when neither exists.
QString FindBesideProgram(const QString &fileName, const QString &installDir);
std::string FindBesideProgram(const std::string &fileName, const std::string &installDir);

// The file of a bundle (the device bundle, the German bundle) called name: an
// absolute path is taken as it is; a relative name is looked for beside the
// executable, then in the installed data folder, then in the current
// directory. Empty when there is no such file.
QString FindBundleFile(const QString &name);
// The same for a name as the bytes the system gives, which need not be
// UTF-8 as Qt's names are.
std::string FindBundleFile(const std::string &name);

// The path of name in the data folder installed with the program,
// ../share/pemblo/ from the executable, whether or not it exists.
QString InstalledDataPath(const QString &name);

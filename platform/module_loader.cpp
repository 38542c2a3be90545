#include "platform/module_loader.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>

std::string ProgramFolder()
{
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path);
    if (length <= 0 || static_cast<std::size_t>(length) >= sizeof path)
        return ".";
    const std::string executable(path, static_cast<std::size_t>(length));
    return executable.substr(0, executable.rfind('/'));
}

std::string FindModuleFile(const std::string &name)
{
    const std::string folder = ProgramFolder();
    for (const std::string &path : { folder + "/" + name + PEMBLO_MODULE_SUFFIX,
             folder + "/" + PEMBLO_MODULE_DIR + "/" + name + PEMBLO_MODULE_SUFFIX })
        if (access(path.c_str(), F_OK) == 0)
            return path;
    return {};
}

void *ResolveModuleSymbol(const std::string &module, const char *function, std::string &error)
{
    const std::string path = FindModuleFile(module);
    if (path.empty()) {
        error = module + " is not installed";
        return nullptr;
    }
    void *library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        error = dlerror();
        return nullptr;
    }
    void *address = dlsym(library, function);
    if (!address)
        error = module + " has no " + function;
    return address;
}

#include "platform/module_loader.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>

namespace
{

// Where the module files are looked for, in order.
constexpr const char *MODULE_FOLDERS[] = { "/", "/../lib/pemblo/" };

std::string ExecutableFolder()
{
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path);
    if (length <= 0 || static_cast<std::size_t>(length) >= sizeof path)
        return ".";
    const std::string executable(path, static_cast<std::size_t>(length));
    return executable.substr(0, executable.rfind('/'));
}

void *OpenModule(const std::string &module, std::string &error)
{
    const std::string folder = ExecutableFolder();
    for (const char *subfolder : MODULE_FOLDERS) {
        const std::string path = folder + subfolder + module;
        if (access(path.c_str(), F_OK) != 0)
            continue;
        if (void *handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL))
            return handle;
        error = dlerror();
        return nullptr;
    }
    error = "cannot find " + module;
    return nullptr;
}

} // namespace

void *FindModuleSymbol(const std::string &module, const char *symbol, std::string &error)
{
    void *handle = OpenModule(module, error);
    if (!handle)
        return nullptr;
    void *address = dlsym(handle, symbol);
    if (!address)
        error = module + " has no " + symbol;
    return address;
}

#include "base/private_module.h"

#include <dlfcn.h>
#include <unistd.h>

#include <map>
#include <mutex>
#include <vector>

namespace {

std::string ExecutableFolder() {
    std::vector<char> path(4096);
    const ssize_t length = readlink("/proc/self/exe", path.data(), path.size() - 1);
    if (length <= 0) {
        return ".";
    }
    const std::string exe(path.data(), static_cast<std::size_t>(length));
    const auto slash = exe.rfind('/');
    return slash == std::string::npos ? "." : exe.substr(0, slash);
}

// A module that failed to open stays null, so a missing one costs one attempt per process.
void* OpenModule(const std::string& name) {
    static std::mutex guard;
    static std::map<std::string, void*> opened;
    const std::lock_guard lock(guard);
    const auto found = opened.find(name);
    if (found != opened.end()) {
        return found->second;
    }
    const std::string path = PrivateModuleFolder() + "/" + name;
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    opened.emplace(name, handle);
    return handle;
}

} // namespace

std::string PrivateModuleFolder() {
    return ExecutableFolder() + "/../lib/snapfold-editor/modules";
}

void* FindModuleSymbol(const std::string& name, const char* symbol) {
    void* handle = OpenModule(name);
    return handle == nullptr ? nullptr : dlsym(handle, symbol);
}

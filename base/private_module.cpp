#include "base/private_module.h"

#include "base/elf_check.h"
#include "base/regular_file.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
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

struct Module {
    void* handle = nullptr;
    // Why the module could not be opened, when it could not.
    std::string problem;
};

// The largest module we install is a few megabytes; a larger file is no module of ours.
constexpr std::uintmax_t kMostModuleBytes = 64u * 1024u * 1024u;

// The module is checked whole before it is mapped, so that a damaged file is a reason rather
// than a crash.
Module Load(const std::string& name) {
    const std::string path = PrivateModuleFolder() + "/" + name;
    const auto bytes = ReadRegularFile(path, kMostModuleBytes);
    if (!bytes) {
        return {nullptr, path + ": " + std::strerror(errno)};
    }
    if (const std::string problem = ElfProblem(*bytes); !problem.empty()) {
        return {nullptr, path + ": " + problem};
    }
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* reason = dlerror();
        return {nullptr, reason != nullptr ? reason : path + ": it cannot be loaded"};
    }
    return {handle, {}};
}

// A module that failed to open stays null, so a missing one costs one attempt per process.
const Module& OpenModule(const std::string& name) {
    static std::mutex guard;
    static std::map<std::string, Module> opened;
    const std::lock_guard lock(guard);
    const auto found = opened.find(name);
    if (found != opened.end()) {
        return found->second;
    }
    return opened.emplace(name, Load(name)).first->second;
}

} // namespace

std::string PrivateModuleFolder() {
    return ExecutableFolder() + "/../lib/snapfold-editor/modules";
}

void* FindModuleSymbol(const std::string& name, const char* symbol) {
    void* handle = OpenModule(name).handle;
    return handle == nullptr ? nullptr : dlsym(handle, symbol);
}

std::string ModuleProblem(const std::string& name) {
    return OpenModule(name).problem;
}

#include "skin/library_entry.h"

#include <dlfcn.h>

#include <map>
#include <tuple>

#include "runtime/fatal.h"
#include "runtime/process.h"

namespace pexor {
namespace {

using Key = std::tuple<std::string, std::string, std::string>;

std::map<Key, void*>& entries() {
    static std::map<Key, void*> cache;
    return cache;
}

void* loadLibrary(const std::string& library, const std::string& runDirectory) {
    if (library.find('/') != std::string::npos)
        return ::dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
    const std::string besideProgram = runDirectory + "/" + library;
    if (void* handle = ::dlopen(besideProgram.c_str(), RTLD_NOW | RTLD_LOCAL)) return handle;
    return ::dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
}

}  // namespace

void* libraryEntry(const std::string& library, const std::string& entry,
                   const std::string& runDirectory) {
    const Key key{runDirectory, library, entry};
    if (const auto found = entries().find(key); found != entries().end()) return found->second;

    void* address = nullptr;
    if (void* handle = loadLibrary(library, runDirectory)) {
        registerLoadedLibrary(handle);
        address = ::dlsym(handle, entry.c_str());
    }
    if (address == nullptr)
        fatalError(kNoErrorCode,
                   "无法找到指定DLL库文件“" + library + "”中的输出命令“" + entry + "”");
    entries().emplace(key, address);
    return address;
}

}  // namespace pexor

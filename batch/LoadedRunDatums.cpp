// The run's datums through the datum shift plugin, loaded only now (see DatumShiftPlugin.hpp).

#include "batch/DatumShiftPlugin.hpp"

#include <dlfcn.h>
#include <filesystem>
#include <system_error>

namespace korvane {

namespace {

// Beside the program (the build tree), else in the library folder it is installed with.
std::filesystem::path PluginPath() {
    std::error_code failure;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", failure);
    const std::filesystem::path folder = program.parent_path();
    const std::filesystem::path beside = folder / kDatumShiftPluginFile;
    if (failure || std::filesystem::exists(beside, failure)) {
        return failure ? std::filesystem::path(kDatumShiftPluginFile) : beside;
    }
    return (folder / KORVANE_PLUGIN_FOLDER_FROM_PROGRAM / kDatumShiftPluginFile).lexically_normal();
}

} // namespace

RunDatums ResolveRunDatums(const std::string& positions, const std::string& grid, bool towardsGrid,
                           bool anyway) {
    const std::filesystem::path path = PluginPath();
    // Left loaded for the rest of the run: the run's shifts are its objects.
    void* const plugin = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (plugin == nullptr) {
        throw RunDatumFailure("datum shifts need Korvane's datum shift plugin, which could not be "
                              "loaded: " +
                              std::string(dlerror()));
    }
    auto* const resolve =
        reinterpret_cast<ResolveRunDatumsEntry*>(dlsym(plugin, kResolveRunDatumsEntry));
    if (resolve == nullptr) {
        throw RunDatumFailure(path.string() + " is not Korvane's datum shift plugin: " + dlerror());
    }
    RunDatums datums;
    std::string failure;
    resolve(positions, grid, towardsGrid, anyway, datums, failure);
    if (!failure.empty()) {
        throw RunDatumFailure(failure);
    }
    return datums;
}

} // namespace korvane

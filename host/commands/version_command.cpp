#include "host/commands/version_command.h"

#include <bit>
#include <exception>
#include <iomanip>

#include "host/commands/exit_codes.h"
#include "host/commands/project_version.h"
#include "host/plugin/plugin_module.h"
#include "host/record/host_directory.h"

namespace stamp::host {

int RunVersionCommand(std::ostream& out, std::ostream& err) {
  out << "stamp-host " << kProjectVersion << "\n";
  try {
    const PluginModule module(ModulePath(ProgramFolder()));
    const int32_t version = module.exports().version();
    // The interface version is a single-precision number carried in an int32 (1.0 today).
    out << "plug-in: " << module.exports().info() << ", interface version " << std::fixed
        << std::setprecision(1) << std::bit_cast<float>(version) << " (0x" << std::hex
        << std::uppercase << version << ")\n";
    return kExitOk;
  } catch (const std::exception& failure) {
    err << "stamp-host: " << failure.what() << "\n";
    return kExitFailure;
  }
}

}  // namespace stamp::host

// "stamp-host --version": the project's version, then the name and interface version of the
// plug-in in the host's folder, as plg_info and plg_version give them.
#pragma once

#include <ostream>

namespace stamp::host {

// kExitOk, or kExitFailure with the reason on err when the plug-in cannot be loaded (the
// project's version is printed all the same).
int RunVersionCommand(std::ostream& out, std::ostream& err);

}  // namespace stamp::host

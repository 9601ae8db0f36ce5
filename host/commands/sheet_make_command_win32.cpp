// The Windows host reads no pictures of its own (no PNG decoder is built for it), so it makes no
// sheets from them: it says so, and a sheet made with the Linux host loads the same everywhere.
#include "host/commands/exit_codes.h"
#include "host/commands/sheet_make_command.h"

namespace stamp::host {

int RunSheetMake(const CommandLine&, std::ostream&, std::ostream& err) {
  err << "stamp-host sheet --make: the Windows host makes no sheets from pictures; make the "
         "sheet with the Linux host, whose sheets load the same here\n";
  return kExitFailure;
}

}  // namespace stamp::host

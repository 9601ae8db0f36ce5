// One entry of an open zip read whole, trusting nothing its headers say: the buffer is what the
// entry declares (never more than the caller's limit), the entry is read until libzip reports its
// end, which is where libzip checks the entry's CRC, and an entry that inflates to more or fewer
// bytes than it declares is refused.
#pragma once

#include <zip.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "host/result.h"

#include "host/ora/read_progress.h"

namespace stamp::ora {

// The entry's bytes, or one sentence naming the entry and why it is refused: missing, declared or
// inflating past limit bytes, damaged (a CRC or inflate error), of another length than it
// declares, or stopped by progress.
host::Result<std::vector<uint8_t>> ReadZipEntry(zip_t* archive, const std::string& name,
                                                size_t limit, const ReadProgress& progress = {});

}  // namespace stamp::ora

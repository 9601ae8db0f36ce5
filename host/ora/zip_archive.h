// An open libzip archive that is discarded (closed without writing) when it goes; a writer
// commits it with Commit.
#pragma once

#include <zip.h>

#include <memory>
#include <string>

#include "host/result.h"

namespace stamp::ora {

struct ZipDiscarder {
  void operator()(zip_t* archive) const { zip_discard(archive); }
};
using ZipArchive = std::unique_ptr<zip_t, ZipDiscarder>;

// Opens path with libzip's flags, or fails with libzip's reason.
inline host::Result<ZipArchive> OpenZip(const std::string& path, int flags) {
  int code = 0;
  ZipArchive archive(zip_open(path.c_str(), flags, &code));
  if (archive) return archive;
  zip_error_t reason;
  zip_error_init_with_code(&reason, code);
  host::Failure failure{zip_error_strerror(&reason)};
  zip_error_fini(&reason);
  return failure;
}

}  // namespace stamp::ora

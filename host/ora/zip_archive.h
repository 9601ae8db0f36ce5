// An open libzip archive that is discarded (closed without writing) when it goes; a writer
// commits it with Commit.
#pragma once

#include <zip.h>

#include <memory>
#include <string>

namespace stamp::ora {

struct ZipDiscarder {
  void operator()(zip_t* archive) const { zip_discard(archive); }
};
using ZipArchive = std::unique_ptr<zip_t, ZipDiscarder>;

// Opens path with libzip's flags; on failure gives nullptr and libzip's reason in error.
inline ZipArchive OpenZip(const std::string& path, int flags, std::string& error) {
  int code = 0;
  ZipArchive archive(zip_open(path.c_str(), flags, &code));
  if (!archive) {
    zip_error_t reason;
    zip_error_init_with_code(&reason, code);
    error = zip_error_strerror(&reason);
    zip_error_fini(&reason);
  }
  return archive;
}

}  // namespace stamp::ora

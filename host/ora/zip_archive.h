// An open libzip archive that is discarded (closed without writing) when it goes; a writer
// commits it with Commit. libzip takes names as UTF-8 on every system (on Windows it turns them
// into UTF-16 for the file calls), so a path goes to it through PathToUtf8 and no other way.
#pragma once

#include <zip.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "host/result.h"
#include "platform/portable/text_encoding.h"

namespace stamp::ora {

struct ZipDiscarder {
  void operator()(zip_t* archive) const { zip_discard(archive); }
};
using ZipArchive = std::unique_ptr<zip_t, ZipDiscarder>;

// Far past the file of any canvas a record can hold; a larger file is refused unread.
inline constexpr uint64_t kMaxZipFileBytes = uint64_t{16} << 30;

// what followed by libzip's reason for error, which it then releases.
inline host::Failure ZipFailure(const std::string& what, zip_error_t& error) {
  host::Failure failure{what + zip_error_strerror(&error)};
  zip_error_fini(&error);
  return failure;
}

// Opens path with libzip's flags, or fails with libzip's reason.
inline host::Result<ZipArchive> OpenZip(const std::filesystem::path& path, int flags) {
  int code = 0;
  ZipArchive archive(zip_open(platform::PathToUtf8(path).c_str(), flags, &code));
  if (archive) return archive;
  zip_error_t reason;
  zip_error_init_with_code(&reason, code);
  return ZipFailure("", reason);
}

// The file at path opened as a zip for reading, once it is known to be a regular file of at
// most kMaxZipFileBytes, or one sentence naming the path and why not: a folder, FIFO or device
// is refused ("cannot read PATH: it is a folder"; never waited on), as is what libzip cannot
// read as a zip ("cannot open PATH: ..."). The test and the open are made on one open file, so
// nothing put at path between them is read. One way per system (zip_open_posix.cpp,
// zip_open_win32.cpp).
host::Result<ZipArchive> OpenAdmittedZip(const std::filesystem::path& path);

}  // namespace stamp::ora

// Opening a zip for reading on POSIX systems: the file is opened without blocking (so that a FIFO
// cannot hold the caller) and checked, and libzip reads that same descriptor.
#include <sys/stat.h>
#include <unistd.h>

#include "host/ora/zip_archive.h"
#include "platform/support/safe_file.h"

namespace stamp::ora {

host::Result<ZipArchive> OpenAdmittedZip(const std::filesystem::path& path) {
  using host::Failure;
  const std::string name = platform::PathToUtf8(path);
  std::string why;
  const int fd = platform::OpenRegularFile(name, &why);
  if (fd < 0) return Failure{why};
  struct stat status {};
  if (::fstat(fd, &status) != 0 || static_cast<uint64_t>(status.st_size) > kMaxZipFileBytes) {
    ::close(fd);
    return Failure{"cannot read " + name + ": it is over the limit of " +
                   std::to_string(kMaxZipFileBytes) + " bytes"};
  }
  int code = 0;
  ZipArchive archive(zip_fdopen(fd, ZIP_RDONLY | ZIP_CHECKCONS, &code));  // owns fd from now
  if (archive) return archive;
  ::close(fd);
  zip_error_t reason;
  zip_error_init_with_code(&reason, code);
  return ZipFailure("cannot open " + name + ": ", reason);
}

}  // namespace stamp::ora

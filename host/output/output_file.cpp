#include "host/output/output_file.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/portable/text_encoding.h"
#include "platform/support/safe_file.h"

namespace stamp::host {

Status WriteAtomically(const std::filesystem::path& path,
                       const std::function<Status(std::FILE*)>& write) {
  std::string why;
  const std::string name = platform::PathToUtf8(path);
  platform::Replacement replacement(name);
  if (!replacement.Open(&why)) return Failure{why};
  // The stream writes through its own descriptor of the temporary, so that closing it leaves
  // the replacement's descriptor open for the flush to disk and the rename.
  std::FILE* stream = ::fdopen(::dup(replacement.fd()), "wb");
  if (stream == nullptr) return Failure{"cannot write " + name + ": " + std::strerror(errno)};
  Status written = write(stream);
  if (std::fclose(stream) != 0 && written.ok()) written = Failure{std::strerror(errno)};
  if (!written.ok()) return Failure{"cannot write " + name + ": " + written.error()};
  if (!replacement.Commit(&why)) return Failure{why};
  return {};
}

}  // namespace stamp::host

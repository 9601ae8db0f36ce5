#include "host/output/output_file.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/support/safe_file.h"

namespace stamp::host {

std::string WriteAtomically(const std::filesystem::path& path,
                            const std::function<std::string(std::FILE*)>& write) {
  std::string why;
  platform::Replacement replacement(path.string());
  if (!replacement.Open(&why)) return why;
  // The stream writes through its own descriptor of the temporary, so that closing it leaves
  // the replacement's descriptor open for the flush to disk and the rename.
  std::FILE* stream = ::fdopen(::dup(replacement.fd()), "wb");
  if (stream == nullptr) return "cannot write " + path.string() + ": " + std::strerror(errno);
  std::string error = write(stream);
  if (std::fclose(stream) != 0 && error.empty()) error = std::strerror(errno);
  if (!error.empty()) return "cannot write " + path.string() + ": " + error;
  return replacement.Commit(&why) ? std::string() : why;
}

}  // namespace stamp::host

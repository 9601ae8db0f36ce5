#include "host/ora/zip_entry.h"

#include <algorithm>
#include <memory>

namespace stamp::ora {
namespace {

struct ZipFileCloser {
  void operator()(zip_file_t* file) const { zip_fclose(file); }
};
using ZipFile = std::unique_ptr<zip_file_t, ZipFileCloser>;

// Bytes asked for past the declared end: any that come mean the entry is longer than it says.
constexpr size_t kProbeBytes = 64;
// Bytes inflated between two reports of progress.
constexpr size_t kChunkBytes = size_t{1} << 20;

host::Failure Damaged(const std::string& name, zip_file_t* file) {
  return {name + " is damaged: " + zip_file_strerror(file)};
}

}  // namespace

host::Result<std::vector<uint8_t>> ReadZipEntry(zip_t* archive, const std::string& name,
                                                size_t limit, const ReadProgress& progress) {
  using host::Failure;
  const zip_int64_t index = zip_name_locate(archive, name.c_str(), 0);
  zip_stat_t stat;
  if (index < 0 || zip_stat_index(archive, static_cast<zip_uint64_t>(index), 0, &stat) != 0) {
    return Failure{"the file has no " + name};
  }
  if ((stat.valid & ZIP_STAT_SIZE) == 0) return Failure{name + " does not declare its size"};
  if (stat.size > limit) return Failure{name + " inflates past the size its picture can take"};
  const ZipFile file(zip_fopen_index(archive, static_cast<zip_uint64_t>(index), 0));
  if (!file) return Failure{name + " cannot be read: " + zip_strerror(archive)};
  std::vector<uint8_t> bytes(static_cast<size_t>(stat.size));
  size_t done = 0;
  while (done < bytes.size()) {
    const size_t chunk = std::min(kChunkBytes, bytes.size() - done);
    const zip_int64_t read = zip_fread(file.get(), bytes.data() + done, chunk);
    if (read < 0) return Damaged(name, file.get());
    if (read == 0) return Failure{name + " is damaged: it holds fewer bytes than it declares"};
    done += static_cast<size_t>(read);
    if (!GoOn(progress, static_cast<double>(done) / static_cast<double>(bytes.size()))) {
      return Failure{kReadStopped};
    }
  }
  uint8_t probe[kProbeBytes];
  const zip_int64_t beyond = zip_fread(file.get(), probe, sizeof probe);
  if (beyond < 0) return Damaged(name, file.get());
  if (beyond > 0) return Failure{name + " is damaged: it holds more bytes than it declares"};
  return bytes;
}

}  // namespace stamp::ora

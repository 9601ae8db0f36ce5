#include "platform/portable/find_files.h"

#include <dirent.h>

#include <memory>
#include <string>

#include "platform/portable/last_error.h"
#include "platform/portable/text_encoding.h"
#include "platform/posix/system/handle_table.h"

namespace stamp::platform {
namespace {

struct DirectoryCloser {
  void operator()(DIR* directory) const { ::closedir(directory); }
};

// Whether the name given back opens this entry again: a backslash in it would become a slash,
// and bytes that are not UTF-8 would come back as U+FFFD, naming another file or none.
bool CanBeOpenedAgain(std::string_view name, std::u16string_view wide) {
  return name.find('\\') == std::string_view::npos && ToUtf8(wide) == name;
}

// An enumeration in progress: the open folder and the name pattern.
class FileSearch final : public Object {
 public:
  static constexpr ObjectKind kKind = ObjectKind::Find;
  FileSearch(DIR* directory, std::u16string pattern)
      : directory_(directory), pattern_(std::move(pattern)) {}
  ObjectKind kind() const override { return kKind; }

  // The next matching entry into data; false at the end of the folder.
  bool Next(PlatFindData* data) {
    while (const dirent* entry = ::readdir(directory_.get())) {
      const std::string_view name = entry->d_name;
      if (name == "." || name == "..") continue;
      const std::u16string wide = FromUtf8(name);
      if (!CanBeOpenedAgain(name, wide) || wide.size() >= PLAT_MAX_PATH ||
          !MatchesPattern(pattern_, wide)) {
        continue;
      }
      CopyTerminated(wide, data->fileName, PLAT_MAX_PATH);
      return true;
    }
    return false;
  }

 private:
  std::unique_ptr<DIR, DirectoryCloser> directory_;
  std::u16string pattern_;
};

PlatHandle FindFirst(std::u16string_view pattern, PlatFindData* data) {
  const size_t split = pattern.rfind(u'\\');
  std::string folder = ".";
  if (split != pattern.npos) folder = split == 0 ? "/" : ToFileSystemPath(pattern.substr(0, split));
  DIR* directory = ::opendir(folder.c_str());
  if (directory == nullptr) return Fail("cannot read folder " + folder, PlatHandle{0});
  auto find = std::make_unique<FileSearch>(directory, std::u16string(pattern.substr(split + 1)));
  if (!find->Next(data)) return Fail("no file matches", PlatHandle{0});
  return AddObject(std::move(find));
}

}  // namespace
}  // namespace stamp::platform

using namespace stamp::platform;

PlatHandle plat_find_first_file(const char16_t* pattern, PlatFindData* data) {
  if (pattern == nullptr || data == nullptr) return Fail("find without pattern or data", 0);
  return GuardedCall(PlatHandle{0}, [&] { return FindFirst(pattern, data); });
}

int32_t plat_find_next_file(PlatHandle find, PlatFindData* data) {
  FileSearch* enumeration = Find<FileSearch>(find);
  if (enumeration == nullptr || data == nullptr) return Fail("not a find handle", 0);
  return GuardedCall(0, [&] { return enumeration->Next(data) ? 1 : Fail("no more files", 0); });
}

int32_t plat_find_close(PlatHandle find) {
  if (Find<FileSearch>(find) == nullptr) return Fail("not a find handle", 0);
  return RemoveObject(find) ? 1 : 0;
}

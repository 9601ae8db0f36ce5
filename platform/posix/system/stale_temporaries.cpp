#include "platform/posix/system/stale_temporaries.h"

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <random>
#include <string_view>

#include "platform/support/safe_file.h"

namespace stamp::platform {
namespace {

constexpr std::string_view kMarker = ".tmp";
constexpr std::string_view kDigits = "0123456789";
constexpr std::string_view kHexDigits = "0123456789abcdef";
constexpr int kRandomHexDigits = 16;
constexpr size_t kMaxPidDigits = 9;

uint64_t RandomBits() {
  uint64_t bits = 0;
  if (::getrandom(&bits, sizeof bits, GRND_NONBLOCK) == sizeof bits) return bits;
  return (uint64_t{std::random_device{}()} << 32) ^ std::random_device{}();
}

bool AllOf(std::string_view text, std::string_view characters) {
  return !text.empty() && text.find_first_not_of(characters) == std::string_view::npos;
}

// The writer's process id when name is one of target's temporaries, else 0: TARGET.tmp-PID-HEX,
// or TARGET.tmpPID-N as older versions named them.
pid_t OwnerOf(std::string_view name, std::string_view target) {
  if (!name.starts_with(target)) return 0;
  name.remove_prefix(target.size());
  if (!name.starts_with(kMarker)) return 0;
  name.remove_prefix(kMarker.size());
  const bool current = name.starts_with('-');
  if (current) name.remove_prefix(1);
  const size_t dash = name.find('-');
  if (dash == std::string_view::npos) return 0;
  const std::string_view pid = name.substr(0, dash);
  const std::string_view tail = name.substr(dash + 1);
  if (!AllOf(tail, current ? kHexDigits : kDigits)) return 0;
  if (!AllOf(pid, kDigits) || pid.size() > kMaxPidDigits) return 0;
  return static_cast<pid_t>(std::stol(std::string(pid)));
}

bool ProcessRuns(pid_t pid) { return ::kill(pid, 0) == 0 || errno == EPERM; }

}  // namespace

std::string TemporaryNameFor(const std::string& target) {
  char random[kRandomHexDigits + 1];
  std::snprintf(random, sizeof random, "%016llx", static_cast<unsigned long long>(RandomBits()));
  return target + std::string(kMarker) + "-" + std::to_string(::getpid()) + "-" + random;
}

std::optional<std::string> StaleTemporaryTarget(std::string_view name) {
  const size_t marker = name.rfind(kMarker);
  if (marker == std::string_view::npos || marker == 0) return std::nullopt;
  const std::string_view target = name.substr(0, marker);
  const pid_t owner = OwnerOf(name, target);
  if (owner <= 0 || owner == ::getpid() || ProcessRuns(owner)) return std::nullopt;
  return std::string(target);
}

void RemoveStaleTemporaries(const std::string& target) {
  const std::filesystem::path path(target);
  const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
  const std::string base = path.filename().string();
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    const std::string name = entry.path().filename().string();
    const pid_t owner = OwnerOf(name, base);
    if (owner <= 0 || owner == ::getpid() || ProcessRuns(owner)) continue;
    struct stat status {};
    if (::lstat(entry.path().c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
        status.st_uid == ::geteuid()) {
      ::unlink(entry.path().c_str());
    }
  }
}

}  // namespace stamp::platform

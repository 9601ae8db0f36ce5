// Files at the edges, through the built stamp-host. One table of hostile places for the profile
// and the outputs: links (followed for the profile, replaced for an output, planted at a
// temporary name), a FIFO, a folder, a device node, and read-only and full file systems (small
// tmpfs mounts; those rows are skipped where mounting is not allowed), and script files that are
// no scripts. Each refusal is one line naming the path; nothing hangs, and what else the run
// wrote stays written.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <fstream>
#include <functional>

#include "host_process.h"

namespace stamp::test {
namespace {

const std::string kScript = "key b\nsave x\n";
constexpr char kOldProfile[] = "[other]\na=1\n";
constexpr size_t kTinyFileSystemBytes = 64 * 1024;

// Mounts a small tmpfs at folder, filled to the last byte when full, read-only when readOnly.
bool MountTmpfs(const fs::path& folder, bool full, bool readOnly) {
  fs::create_directories(folder);
  const std::string size = "size=" + std::to_string(kTinyFileSystemBytes);
  if (::mount("tmpfs", folder.c_str(), "tmpfs", 0, size.c_str()) != 0) return false;
  WriteFile(folder / "p.ini", kOldProfile);
  if (full) {
    const std::string block(4096, 'x');
    std::ofstream filler(folder / "filler", std::ios::binary);
    while (filler.write(block.data(), block.size())) {
    }
  }
  return !readOnly ||
         ::mount(nullptr, folder.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, size.c_str()) == 0;
}

bool MakeFifo(const fs::path& path) {
  EXPECT_EQ(::mkfifo(path.c_str(), 0600), 0);
  return true;
}

constexpr uint64_t kScriptLimit = uint64_t{64} << 20;

struct Edge {
  const char* name;
  // Prepares folder; false when this user may not (mount, mknod).
  std::function<bool(const fs::path& folder)> make;
  std::string profile;  // given to --profile
  std::string out;      // given to --out
  int exitCode;
  std::string error;                                  // the one error line, "" for none
  std::function<void(const fs::path& folder)> check;  // none: the row checks nothing more
  std::string script = "s.txt";                       // run; s.txt holds kScript
};

void PrintTo(const Edge& edge, std::ostream* out) { *out << edge.name; }

bool IsLink(const fs::path& path) { return fs::is_symlink(fs::symlink_status(path)); }

const Edge kEdges[] = {
    {"profile_link_updates_the_file_it_names",
     [](const fs::path& folder) {
       fs::create_directory(folder / "dotfiles");
       WriteFile(folder / "dotfiles/p.ini", kOldProfile);
       fs::permissions(folder / "dotfiles/p.ini", fs::perms::owner_read | fs::perms::owner_write);
       fs::create_symlink("dotfiles/p.ini", folder / "link.ini");
       return true;
     },
     "link.ini", "out", 0, "",
     [](const fs::path& folder) {
       EXPECT_TRUE(IsLink(folder / "link.ini"));
       EXPECT_EQ(ReadFile(folder / "dotfiles/p.ini"),
                 std::string(kOldProfile) +
                     "\n[plugin_kvo_stamp]\nselect=1\ndegree=0\nshrink=30\nfile=\n");
       EXPECT_EQ(fs::status(folder / "dotfiles/p.ini").permissions(),
                 fs::perms::owner_read | fs::perms::owner_write);
     }},
    {"profile_fifo", [](const fs::path& folder) { return MakeFifo(folder / "fifo"); }, "fifo",
     "out", 4, "stamp-host: settings not saved: cannot write fifo: it is a FIFO",
     [](const fs::path& folder) { EXPECT_TRUE(fs::is_fifo(folder / "fifo")); }},
    {"profile_folder",
     [](const fs::path& folder) { return fs::create_directory(folder / "p.ini"); }, "p.ini", "out",
     4, "stamp-host: settings not saved: cannot write p.ini: it is a folder",
     [](const fs::path& folder) { EXPECT_TRUE(fs::is_directory(folder / "p.ini")); }},
    // The same device as /dev/null, made here so that nothing of the system's is at risk.
    {"profile_device_node",
     [](const fs::path& folder) {
       return ::mknod((folder / "null").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
     },
     "null", "out", 4, "stamp-host: settings not saved: cannot write null: it is a device",
     [](const fs::path& folder) { EXPECT_TRUE(fs::is_character_file(folder / "null")); }},
    {"profile_on_read_only_file_system",
     [](const fs::path& folder) { return MountTmpfs(folder / "ro", false, true); }, "ro/p.ini",
     "out", 4, "stamp-host: settings not saved: cannot write ro/p.ini: Read-only file system",
     [](const fs::path& folder) {
       EXPECT_EQ(ReadFile(folder / "ro/p.ini"), kOldProfile);
       EXPECT_TRUE(fs::exists(folder / "out/x-canvas.png")) << "the pictures stay written";
     }},
    {"profile_on_full_file_system",
     [](const fs::path& folder) { return MountTmpfs(folder / "full", true, false); }, "full/p.ini",
     "out", 4, "stamp-host: settings not saved: cannot write full/p.ini: No space left on device",
     [](const fs::path& folder) {
       EXPECT_EQ(ReadFile(folder / "full/p.ini"), kOldProfile);
       EXPECT_EQ(fs::directory_iterator(folder / "full")->path().filename().string().find(".tmp"),
                 std::string::npos);
     }},
    {"output_on_full_file_system_names_the_output",
     [](const fs::path& folder) { return MountTmpfs(folder / "full", true, false); }, "p.ini",
     "full", 1, "stamp-host: cannot write full/x-canvas.png: No space left on device",
     [](const fs::path& folder) { EXPECT_FALSE(fs::exists(folder / "full/x-canvas.png")); }},
    {"output_name_is_a_folder",
     [](const fs::path& folder) { return fs::create_directories(folder / "out/x-canvas.png"); },
     "p.ini", "out", 1, "stamp-host: cannot write out/x-canvas.png: it is a folder",
     [](const fs::path& folder) { EXPECT_TRUE(fs::is_directory(folder / "out/x-canvas.png")); }},
    {"output_name_is_a_link_which_is_replaced",
     [](const fs::path& folder) {
       WriteFile(folder / "victim", "keep");
       fs::create_directory(folder / "out");
       fs::create_symlink("../victim", folder / "out/x-canvas.png");
       return true;
     },
     "p.ini", "out", 0, "",
     [](const fs::path& folder) {
       EXPECT_EQ(ReadFile(folder / "victim"), "keep");
       EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(folder / "out/x-canvas.png")));
     }},
    {"script_is_a_folder",
     [](const fs::path& folder) { return fs::create_directory(folder / "d"); }, "p.ini", "out", 1,
     "stamp-host: script: cannot read d: it is a folder", nullptr, "d"},
    {"script_is_a_fifo", [](const fs::path& folder) { return MakeFifo(folder / "f"); }, "p.ini",
     "out", 1, "stamp-host: script: cannot read f: it is a FIFO", nullptr, "f"},
    {"script_is_an_endless_device", [](const fs::path&) { return true; }, "p.ini", "out", 1,
     "stamp-host: script: cannot read /dev/zero: it is a device", nullptr, "/dev/zero"},
    {"script_over_the_size_limit",
     [](const fs::path& folder) {
       WriteFile(folder / "big.txt", "key a\n");
       fs::resize_file(folder / "big.txt", kScriptLimit + 1);
       return true;
     },
     "p.ini", "out", 1,
     "stamp-host: script: cannot read big.txt: 67108865 bytes is over the limit of 67108864",
     nullptr, "big.txt"},
    {"script_with_a_byte_order_mark",
     [](const fs::path& folder) {
       WriteFile(folder / "bom.txt", "\xEF\xBB\xBFkey b\n");
       return true;
     },
     "p.ini", "out", 0, "", nullptr, "bom.txt"},
};

class FileEdge : public HostProcessTest, public testing::WithParamInterface<Edge> {
 protected:
  void TearDown() override {
    for (const char* mount : {"ro", "full"}) ::umount2((folder_ / mount).c_str(), MNT_DETACH);
    HostProcessTest::TearDown();
  }
};

TEST_P(FileEdge, RefusedWithOneLineOrWrittenSafely) {
  const Edge& edge = GetParam();
  if (!edge.make(folder_)) GTEST_SKIP() << "needs mount or mknod, which this user may not do";
  WriteFile(folder_ / "s.txt", kScript);
  const HostRun run = Host({"run", edge.script, "--quiet", "--canvas", "40x40", "--profile",
                            edge.profile, "--out", edge.out});
  EXPECT_EQ(run.exitCode, edge.exitCode) << run.err;
  EXPECT_EQ(run.err, edge.error.empty() ? "" : edge.error + "\n");
  if (edge.check) edge.check(folder_);
}

INSTANTIATE_TEST_SUITE_P(Places, FileEdge, testing::ValuesIn(kEdges),
                         [](const auto& info) { return std::string(info.param.name); });

// The temporaries of an output had a name known in advance (NAME.partial-PID); a link planted
// there by another user of the folder redirected the write. The shell plants links at that
// name for its own process id, which the host then runs under.
TEST_F(HostProcessTest, LinkPlantedAtATemporaryNameIsNotWrittenThrough) {
  WriteFile(folder_ / "s.txt", kScript);
  WriteFile(folder_ / "victim", "keep");
  const HostRun run =
      Host({"-c", "ln -s victim x-canvas.png.partial-$$ && exec '" + kBuiltHost.string() +
                      "' run s.txt --quiet --canvas 40x40 --profile p.ini"},
           "/bin/sh");
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(ReadFile(folder_ / "victim"), "keep");
}

}  // namespace
}  // namespace stamp::test

// Replays inputs through a fuzz target's entry function, without the fuzzer:
//   TARGET_replay CORPUS [REGRESSIONS...]
// every file of the corpus folder, which must hold some, then of each regression folder that
// exists, in name order. A target reports a fault by stopping the program (and the sanitizer
// build stops it at any bad memory access), so each file's name is printed before it runs.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

namespace {

std::vector<std::filesystem::path> FilesIn(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> files;
  if (!std::filesystem::is_directory(folder)) return files;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.is_regular_file()) files.push_back(entry.path());
  }
  std::ranges::sort(files);
  return files;
}

void Replay(const std::filesystem::path& file) {
  std::printf("replaying %s\n", file.c_str());
  std::fflush(stdout);
  std::ifstream stream(file, std::ios::binary);
  const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(stream), {}};
  LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s CORPUS [REGRESSIONS...]\n", argv[0]);
    return 2;
  }
  std::vector<std::filesystem::path> files = FilesIn(argv[1]);
  if (files.empty()) {
    std::fprintf(stderr, "no inputs in the corpus folder %s\n", argv[1]);
    return 1;
  }
  for (int i = 2; i < argc; ++i) std::ranges::copy(FilesIn(argv[i]), std::back_inserter(files));
  if (LLVMFuzzerInitialize != nullptr) LLVMFuzzerInitialize(&argc, &argv);
  for (const std::filesystem::path& file : files) Replay(file);
  std::printf("%zu inputs replayed\n", files.size());
  return 0;
}

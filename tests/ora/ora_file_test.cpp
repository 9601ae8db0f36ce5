// OpenRaster files: what is written reads back byte for byte and follows the format's rules;
// every kind of bad file is refused with its reason and leaves the picture alone; a write that
// fails leaves the earlier file whole. The same program runs on Linux and Windows; the cases that
// need POSIX (a FIFO, limits on memory and file size) run on Linux only.
#include <gtest/gtest.h>
#include <png.h>
#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif
#include <zip.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <random>

#include "host/ora/ora_file.h"
#include "host/ora/stack_xml.h"
#include "host/ora/zip_archive.h"
#include "host/output/png_writer.h"
#include "host/png_files.h"
#include "platform/portable/text_encoding.h"
#include "support/test_files.h"

namespace stamp::ora {
namespace {

// A place that must not be asked for: the file is refused before any canvas is made ready.
LayerPlace RefusedPlace() {
  return [](int32_t, int32_t, LayerTargets&) {
    ADD_FAILURE() << "the canvas was asked for";
    return host::Status(host::Failure{"asked"});
  };
}

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

LayeredPicture RandomPicture(int32_t width, int32_t height, uint32_t seed) {
  std::mt19937 random(seed);
  LayeredPicture picture{width, height, {}};
  for (Bytes& layer : picture.layers) {
    layer.resize(picture.LayerBytes());
    for (uint8_t& byte : layer) byte = static_cast<uint8_t>(random());
  }
  return picture;
}

Bytes ReadEntry(zip_t* archive, const char* name) {
  zip_stat_t stat;
  EXPECT_EQ(zip_stat(archive, name, 0, &stat), 0) << name;
  Bytes bytes(stat.size);
  zip_file_t* file = zip_fopen(archive, name, 0);
  EXPECT_EQ(zip_fread(file, bytes.data(), bytes.size()), static_cast<zip_int64_t>(bytes.size()));
  zip_fclose(file);
  return bytes;
}

std::pair<uint32_t, uint32_t> PngSize(const Bytes& png) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  EXPECT_NE(png_image_begin_read_from_memory(&image, png.data(), png.size()), 0);
  png_image_free(&image);
  return {image.width, image.height};
}

Bytes Png(int32_t width, int32_t height) {
  const Bytes pixels(static_cast<size_t>(width * height) * kBytesPerPixel, 0x80);
  host::Result<Bytes> png =
      host::EncodePng({width, height, pixels, static_cast<size_t>(width) * 3});
  EXPECT_EQ(png.error(), "");
  return png.ok() ? *png : Bytes();
}

struct Entry {
  std::string name;
  Bytes bytes;
  zip_int32_t method = ZIP_CM_STORE;
};

Bytes Text(const std::string& text) { return Bytes(text.begin(), text.end()); }

void WriteZip(const fs::path& path, const std::vector<Entry>& entries) {
  host::Result<ZipArchive> opened = OpenZip(path, ZIP_CREATE | ZIP_TRUNCATE);
  ASSERT_TRUE(opened.ok()) << opened.error();
  ZipArchive& archive = *opened;
  for (const Entry& entry : entries) {
    zip_source_t* source =
        zip_source_buffer(archive.get(), entry.bytes.data(), entry.bytes.size(), 0);
    const zip_int64_t index = zip_file_add(archive.get(), entry.name.c_str(), source, 0);
    ASSERT_GE(index, 0) << entry.name;
    zip_set_file_compression(archive.get(), static_cast<zip_uint64_t>(index), entry.method, 0);
  }
  ASSERT_EQ(zip_close(archive.release()), 0);
}

// The entries of a well-formed 4x4 file of the given layers (front first in stack.xml).
std::vector<Entry> Entries(const std::vector<std::string>& layerSources, int32_t layerSide = 4) {
  std::string stack = "<?xml version='1.0'?><image w='4' h='4'><stack>";
  std::vector<Entry> entries{{"mimetype", Text(kMimeType)}};
  for (const std::string& source : layerSources) stack += "<layer src='" + source + "'/>";
  entries.push_back({"stack.xml", Text(stack + "</stack></image>"), ZIP_CM_DEFLATE});
  for (const std::string& source : layerSources) {
    entries.push_back({source, Png(layerSide, layerSide)});
  }
  return entries;
}

// A PNG of one colour in libpng's format: 8-bit RGBA (non-premultiplied) or 16-bit RGB, each
// sample as given.
Bytes SolidPng(int32_t side, png_uint_32 format, std::vector<uint16_t> sample) {
  const size_t samples = static_cast<size_t>(side * side) * sample.size();
  std::vector<uint16_t> wide(samples);
  Bytes narrow(samples);
  for (size_t i = 0; i < samples; ++i) {
    wide[i] = sample[i % sample.size()];
    narrow[i] = static_cast<uint8_t>(wide[i]);
  }
  const bool sixteen = (format & PNG_FORMAT_FLAG_LINEAR) != 0;
  return test::EncodePng(uint32_t(side), uint32_t(side), format,
                         sixteen ? static_cast<const void*>(wide.data()) : narrow.data());
}

// Sets a 32-bit field of the named entry in both its local and its central header, as a file
// damaged or forged on the way would carry it.
enum class Field { kCrc, kSize };
void Forge(const fs::path& path, const std::string& name, Field field,
           const std::function<uint32_t(uint32_t)>& change) {
  Bytes file = test::ReadBytes(path);
  const auto patch = [&](const std::string& signature, size_t nameAt, size_t fieldAt) {
    const std::string text(file.begin(), file.end());
    for (size_t at = text.find(signature); at != std::string::npos;
         at = text.find(signature, at + 1)) {
      if (text.compare(at + nameAt, name.size(), name) != 0) continue;
      uint32_t value = 0;
      for (int i = 3; i >= 0; --i) value = value << 8 | file[at + fieldAt + static_cast<size_t>(i)];
      value = change(value);
      for (size_t i = 0; i < 4; ++i)
        file[at + fieldAt + i] = static_cast<uint8_t>(value >> (8 * i));
      return;
    }
    ADD_FAILURE() << "no header of " << name;
  };
  patch("PK\3\4", 30, field == Field::kCrc ? 14 : 22);
  patch("PK\1\2", 46, field == Field::kCrc ? 16 : 24);
  test::WriteFile(path, std::string(file.begin(), file.end()));
}

class OraFileTest : public testing::Test {
 protected:
  const test::TempFolder scratch_;
  const fs::path folder_ = scratch_.path();
};

TEST_F(OraFileTest, WritesTheFormatsStructureAndReadsTheLayersBackByteForByte) {
  const LayeredPicture written = RandomPicture(300, 200, 17);
  const fs::path path = folder_ / "work.ora";
  ASSERT_EQ(WriteOra(path, written, written.layers[1]).error(), "");

  // mimetype: the first local header, stored, no extra field, its text right after its name.
  const Bytes file = test::ReadBytes(path);
  ASSERT_GT(file.size(), 54u);
  EXPECT_EQ(Bytes(file.begin(), file.begin() + 4), (Bytes{'P', 'K', 3, 4}));
  EXPECT_EQ(file[8] | file[9] << 8, 0) << "compression method";
  EXPECT_EQ(file[28] | file[29] << 8, 0) << "extra field length";
  EXPECT_EQ(std::string(file.begin() + 30, file.begin() + 54), "mimetypeimage/openraster");

  const host::Result<ZipArchive> opened = OpenZip(path, ZIP_RDONLY | ZIP_CHECKCONS);
  ASSERT_TRUE(opened.ok()) << opened.error();
  const ZipArchive& archive = *opened;
  std::vector<std::string> names;
  for (zip_int64_t i = 0; i < zip_get_num_entries(archive.get(), 0); ++i) {
    names.emplace_back(zip_get_name(archive.get(), static_cast<zip_uint64_t>(i), 0));
  }
  EXPECT_EQ(names, (std::vector<std::string>{"mimetype", "stack.xml", "data/layer0.png",
                                             "data/layer1.png", "data/layer2.png",
                                             "mergedimage.png", "Thumbnails/thumbnail.png"}));
  const Bytes stackBytes = ReadEntry(archive.get(), "stack.xml");
  const auto stack = ParseStack(std::string(stackBytes.begin(), stackBytes.end()));
  ASSERT_TRUE(stack.ok()) << stack.error();
  EXPECT_EQ(std::make_pair(stack->width, stack->height),
            std::make_pair(int64_t{300}, int64_t{200}));
  ASSERT_EQ(stack->layers.size(), 3u);
  EXPECT_EQ(stack->layers.front().src, "data/layer2.png") << "the front layer comes first";
  for (const StackLayer& layer : stack->layers) {
    EXPECT_EQ(PngSize(ReadEntry(archive.get(), layer.src.c_str())), std::make_pair(300u, 200u));
  }
  EXPECT_EQ(PngSize(ReadEntry(archive.get(), "mergedimage.png")), std::make_pair(300u, 200u));
  EXPECT_EQ(PngSize(ReadEntry(archive.get(), "Thumbnails/thumbnail.png")),
            std::make_pair(150u, 100u));

  LayeredPicture read;
  ASSERT_EQ(ReadOra(path, read).error(), "");
  EXPECT_EQ(std::make_pair(read.width, read.height), std::make_pair(300, 200));
  EXPECT_EQ(read.layers, written.layers);
}

struct BadFile {
  const char* name;
  std::function<void(const fs::path&)> make;
  const char* reason;
};

TEST_F(OraFileTest, RefusesABadFileWithItsReasonAndLeavesThePictureAlone) {
  const std::vector<std::string> three{"data/a.png", "data/b.png", "data/c.png"};
  const auto zip = [](std::vector<Entry> entries) {
    return [entries](const fs::path& path) { WriteZip(path, entries); };
  };
  // A well-formed file of three layers, its entries changed.
  const auto changed = [&](const std::function<void(std::vector<Entry>&)>& change) {
    std::vector<Entry> entries = Entries(three);
    change(entries);
    return zip(entries);
  };
  const auto with = [&](const Entry& extra) {
    return changed([extra](auto& e) { e.push_back(extra); });
  };
  const auto forged = [&](const std::string& entry, Field field, uint32_t (*change)(uint32_t)) {
    return [=](const fs::path& path) {
      WriteZip(path, Entries(three));
      Forge(path, entry, field, change);
    };
  };
  const BadFile cases[] = {
      {"text", [](const fs::path& p) { test::WriteFile(p, "hello"); }, "cannot open"},
      {"truncated",
       [&](const fs::path& p) {
         WriteZip(p, Entries(three));
         fs::resize_file(p, fs::file_size(p) / 2);
       },
       "cannot open"},
      {"dot-dot name", with({"../escape.png", Png(4, 4)}), "outside its folder"},
      {"absolute name", with({"/tmp/escape.png", Png(4, 4)}), "outside its folder"},
      {"compressed mimetype", changed([](auto& e) { e.front().method = ZIP_CM_DEFLATE; }),
       "not an OpenRaster"},
      {"no mimetype", changed([](auto& e) { e.erase(e.begin()); }), "not an OpenRaster"},
      {"huge size",
       changed([](auto& e) { e[1].bytes = Text("<image w='100000' h='100000'><stack/></image>"); }),
       "cannot be a canvas"},
      {"two layers", zip(Entries({"data/a.png", "data/b.png"})), "has 2 layers"},
      {"four layers", zip(Entries({"a.png", "b.png", "c.png", "d.png"})), "has 4 layers"},
      {"missing layer entry", changed([](auto& e) { e.pop_back(); }), "has no data/c.png"},
      {"wrong layer size", zip(Entries(three, 5)), "is 5x5, not the picture's 4x4"},
      {"layer not a PNG", changed([](auto& e) { e.back().bytes = Text("not a picture"); }),
       "is not a PNG"},
      {"zip bomb", changed([](auto& e) {
         e.back() = {"data/c.png", Bytes(size_t{8} << 20, 0), ZIP_CM_DEFLATE};
       }),
       "inflates past"},
      {"layer CRC", forged("data/c.png", Field::kCrc, [](uint32_t crc) { return crc ^ 1; }),
       "data/c.png is damaged"},
      {"layer declares 10 bytes", forged("data/c.png", Field::kSize, [](uint32_t) { return 10u; }),
       "data/c.png is damaged"},
      {"layer declares 5000 more",
       forged("data/c.png", Field::kSize, [](uint32_t size) { return size + 5000; }),
       "data/c.png is damaged"},
      {"mimetype declares 5 bytes", forged("mimetype", Field::kSize, [](uint32_t) { return 5u; }),
       "not an OpenRaster"},
      {"a byte of stack.xml changed",
       [&](const fs::path& path) {
         changed([](auto& e) { e[1].method = ZIP_CM_STORE; })(path);
         std::string file = test::ReadFile(path);
         file[file.find("src='data/c.png'") + 10] = 'a';
         test::WriteFile(path, file);
       },
       "stack.xml is damaged"},
      {"tiny file claiming a huge canvas", changed([](auto& e) {
         e[1].bytes = Text(
             "<image w='13000' h='13000'><stack><layer src='data/a.png'/>"
             "<layer src='data/b.png'/><layer src='data/c.png'/></stack></image>");
         for (size_t i = 2; i < e.size(); ++i) e[i].bytes = test::PngClaiming(13000, 13000);
       }),
       "cannot hold a picture of its size"},
#ifndef _WIN32
      {"FIFO", [](const fs::path& p) { ASSERT_EQ(mkfifo(p.c_str(), 0600), 0); }, "is a FIFO"},
#endif
      {"folder", [](const fs::path& p) { fs::create_directory(p); }, "is a folder"},
  };
  for (const BadFile& bad : cases) {
    const fs::path path = folder_ / "bad.ora";
    bad.make(path);
    LayeredPicture picture = RandomPicture(2, 2, 1);
    const LayeredPicture before = picture;
    const std::string error = ReadOra(path, picture).error();
    EXPECT_NE(error.find(bad.reason), std::string::npos) << bad.name << ": " << error;
    EXPECT_EQ(picture.layers, before.layers) << bad.name;
    // Read in place, the same refusal comes before the canvas is asked for.
    EXPECT_EQ(ReadOraInPlace(path, RefusedPlace()).error(), error) << bad.name;
    fs::remove_all(path);
  }
}

// Layers of other programs as OpenRaster shows them: stored sRGB values, alpha not premultiplied,
// laid over white with a plain blend at the layer's opacity; hidden layers show nothing.
TEST_F(OraFileTest, ReadsOtherProgramsLayersAsTheyShow) {
  struct Case {
    const char* name;
    Bytes png;
    std::string attributes;
    uint8_t shown;  // every channel of the back layer
  };
  const Case cases[] = {
      {"16-bit grey 0x8080", SolidPng(4, PNG_FORMAT_LINEAR_RGB, {0x8080, 0x8080, 0x8080}), "", 128},
      {"8-bit black at alpha 128", SolidPng(4, PNG_FORMAT_RGBA, {0, 0, 0, 128}), "", 127},
      {"8-bit grey 77, opaque", SolidPng(4, PNG_FORMAT_RGBA, {77, 77, 77, 255}), "", 77},
      {"black at opacity 0.5", SolidPng(4, PNG_FORMAT_RGBA, {0, 0, 0, 255}), "opacity='0.5'", 127},
      {"black at opacity 0", SolidPng(4, PNG_FORMAT_RGBA, {0, 0, 0, 255}), "opacity='0'", 255},
      {"hidden black", SolidPng(4, PNG_FORMAT_RGBA, {0, 0, 0, 255}), "visibility='hidden'", 255},
  };
  for (const Case& c : cases) {
    auto entries = Entries({"data/a.png", "data/b.png", "data/c.png"});
    entries.back().bytes = c.png;  // the back layer
    entries[1].bytes = Text(
        "<image w='4' h='4'><stack><layer src='data/a.png'/>"
        "<layer src='data/b.png'/><layer src='data/c.png' " +
        c.attributes + "/></stack></image>");
    const fs::path path = folder_ / "other.ora";
    WriteZip(path, entries);
    LayeredPicture picture;
    std::vector<std::string> notes;
    ASSERT_EQ(ReadOra(path, picture, {}, &notes).error(), "") << c.name;
    EXPECT_EQ(picture.layers[0], Bytes(picture.LayerBytes(), c.shown)) << c.name;
    EXPECT_EQ(notes.size(), c.attributes.empty() ? 0u : 1u) << c.name;
  }
}

// A drawing named beyond any one code page is written, opened by libzip and read back under its
// name (the host's paths are UTF-8, and libzip takes UTF-8 names on Windows too).
TEST_F(OraFileTest, ADrawingNamedBeyondACodePageIsWrittenAndReadBack) {
  const fs::path path = folder_ / platform::PathFromUtf8("Рисунки ä€ 图画.ora");
  const LayeredPicture written = RandomPicture(5, 3, 9);
  ASSERT_EQ(WriteOra(path, written, written.layers[0]).error(), "");
  EXPECT_TRUE(fs::is_regular_file(path));
  EXPECT_TRUE(OpenZip(path, ZIP_RDONLY | ZIP_CHECKCONS).ok());
  LayeredPicture read;
  ASSERT_EQ(ReadOra(path, read).error(), "");
  EXPECT_EQ(read.layers, written.layers);
  fs::remove(path);
  EXPECT_NE(ReadOra(path, read).error().find("cannot read " + platform::PathToUtf8(path)),
            std::string::npos)
      << "a refusal names the file as it is named";
}

#ifndef _WIN32
// A small file whose pictures need more memory than the process may have is refused with a
// message, not ended by the failed allocation (the address space is limited in a child).
TEST_F(OraFileTest, AFileTooLargeForMemoryIsRefusedWithAMessage) {
#ifdef STAMP_SANITIZED
  GTEST_SKIP() << "the address sanitizer reserves more address space than the limit";
#endif
  constexpr int32_t kSide = 4000;  // three layers of 48 MB, more than the limit leaves
  const fs::path path = folder_ / "large.ora";
  {
    const Bytes layer(size_t{kSide} * kSide * kBytesPerPixel, 0x40);
    const LayeredPicture large{kSide, kSide, {layer, layer, layer}};
    ASSERT_EQ(WriteOra(path, large, large.layers[0]).error(), "");
  }
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::ifstream status("/proc/self/statm");
    size_t pages = 0;
    status >> pages;
    const rlim_t used = static_cast<rlim_t>(pages) * static_cast<rlim_t>(sysconf(_SC_PAGESIZE));
    const rlimit limit{used + (rlim_t{100} << 20), used + (rlim_t{100} << 20)};
    LayeredPicture picture;
    const bool refused =
        setrlimit(RLIMIT_AS, &limit) == 0 &&
        ReadOra(path, picture).error().find("not enough memory") != std::string::npos;
    _exit(refused ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}
#endif

// A read reports its progress as it goes and stops when asked, leaving the picture alone.
TEST_F(OraFileTest, AReadReportsItsProgressAndStopsWhenAsked) {
  const fs::path path = folder_ / "work.ora";
  const LayeredPicture written = RandomPicture(300, 200, 5);
  ASSERT_EQ(WriteOra(path, written, written.layers[0]).error(), "");
  std::vector<double> reports;
  LayeredPicture read;
  ASSERT_EQ(ReadOra(path, read, [&](double done) { return reports.push_back(done), true; }).error(),
            "");
  EXPECT_TRUE(std::is_sorted(reports.begin(), reports.end()));
  EXPECT_GT(reports.size(), size_t{kLayerCount});
  EXPECT_LE(reports.back(), 1.0);
  for (const size_t stopAt : {size_t{0}, reports.size() / 2, reports.size() - 1}) {
    LayeredPicture picture = RandomPicture(2, 2, 1);
    const LayeredPicture before = picture;
    size_t calls = 0;
    EXPECT_EQ(ReadOra(path, picture, [&](double) { return calls++ < stopAt; }).error(),
              kReadStopped);
    EXPECT_EQ(calls, stopAt + 1);
    EXPECT_EQ(picture.layers, before.layers);
  }
  // Read in place: checked first (a stop there asks for no canvas), then decoded into the
  // buffers given, with the same bytes.
  EXPECT_EQ(ReadOraInPlace(path, RefusedPlace(), [](double) { return false; }).error(),
            kReadStopped);
  LayeredPicture placed{written.width, written.height, {}};
  const auto place = [&placed](int32_t width, int32_t height, LayerTargets& targets) {
    EXPECT_EQ(width, placed.width);
    EXPECT_EQ(height, placed.height);
    for (int k = 0; k < kLayerCount; ++k) {
      placed.layers[size_t(k)].resize(placed.LayerBytes());
      targets[size_t(k)] = placed.layers[size_t(k)].data();
    }
    return host::Status();
  };
  ASSERT_EQ(ReadOraInPlace(path, place).error(), "");
  EXPECT_EQ(placed.layers, read.layers);
}

#ifndef _WIN32
// A write that fails, on a full disk (a file size limit stands in for it) or into a read-only
// folder, says why and leaves the earlier file as it was, with no partial file beside it.
TEST_F(OraFileTest, AFailedWriteLeavesTheEarlierFileWhole) {
  const fs::path path = folder_ / "work.ora";
  const LayeredPicture first = RandomPicture(64, 48, 1);
  ASSERT_EQ(WriteOra(path, first, first.layers[0]).error(), "");
  const Bytes earlier = test::ReadBytes(path);
  const LayeredPicture second = RandomPicture(64, 48, 2);

  std::signal(SIGXFSZ, SIG_IGN);
  rlimit limit{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &limit), 0);
  rlimit small = limit;
  small.rlim_cur = 1024;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const std::string fullDisk = WriteOra(path, second, second.layers[0]).error();
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
  EXPECT_NE(fullDisk, "");
  EXPECT_EQ(test::ReadBytes(path), earlier);

  if (geteuid() != 0) {  // permissions do not bind root
    fs::permissions(folder_, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_NE(WriteOra(path, second, second.layers[0]).error(), "");
    EXPECT_EQ(test::ReadBytes(path), earlier);
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_), {}), 1);
}
#endif

}  // namespace
}  // namespace stamp::ora

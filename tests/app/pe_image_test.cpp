// The protections of the built executable, read from its PE headers: ASLR
// with relocations, DEP, and a load configuration whose DependentLoadFlags
// keep the imports of its imports in System32. A build change that drops one
// of them fails here.
//   pe_image_tests PROGRAM.exe
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace {

std::string g_program;

struct Image {
  std::vector<unsigned char> bytes;

  std::uint32_t U32(std::size_t at) const {
    std::uint32_t v = 0;
    if (at + 4 <= bytes.size()) std::memcpy(&v, &bytes[at], 4);
    return v;
  }
  std::uint16_t U16(std::size_t at) const {
    std::uint16_t v = 0;
    if (at + 2 <= bytes.size()) std::memcpy(&v, &bytes[at], 2);
    return v;
  }
  std::size_t Pe() const { return U32(0x3C); }
  std::size_t Optional() const { return Pe() + 24; }
  bool Pe32Plus() const { return U16(Optional()) == 0x20B; }
  std::uint16_t DllCharacteristics() const { return U16(Optional() + 70); }
  std::uint32_t FileCharacteristics() const { return U16(Pe() + 22); }
  // Data directory entry `index`: {RVA, size}.
  std::pair<std::uint32_t, std::uint32_t> Directory(int index) const {
    const std::size_t at = Optional() + (Pe32Plus() ? 112 : 96) + 8 * static_cast<std::size_t>(index);
    return {U32(at), U32(at + 4)};
  }
  struct Section {
    std::string name;
    std::uint32_t virtualSize, virtualAddress, rawSize, rawOffset;
  };
  std::vector<Section> Sections() const {
    std::vector<Section> out;
    const std::size_t table = Optional() + U16(Pe() + 20);
    for (std::size_t i = 0; i < U16(Pe() + 6); ++i) {
      const std::size_t at = table + 40 * i;
      if (at + 40 > bytes.size()) break;
      std::string name(reinterpret_cast<const char*>(&bytes[at]), 8);
      name.resize(std::strlen(name.c_str()));
      out.push_back({name, U32(at + 8), U32(at + 12), U32(at + 16), U32(at + 20)});
    }
    return out;
  }
  std::optional<std::size_t> FileOffset(std::uint32_t rva) const {
    for (const Section& s : Sections()) {
      if (rva >= s.virtualAddress && rva < s.virtualAddress + std::max(s.virtualSize, s.rawSize)) {
        return s.rawOffset + (rva - s.virtualAddress);
      }
    }
    return std::nullopt;
  }
};

class ProgramImage : public ::testing::Test {
 protected:
  void SetUp() override {
    std::ifstream file(g_program, std::ios::binary);
    ASSERT_TRUE(file) << "cannot read " << g_program << " (build the windows preset first)";
    image_.bytes.assign(std::istreambuf_iterator<char>(file), {});
    ASSERT_GT(image_.bytes.size(), 0x400u);
    ASSERT_EQ(image_.U32(image_.Pe()), 0x00004550u) << "no PE signature";
  }
  Image image_;
};

constexpr int kBaseRelocations = 5;
constexpr int kLoadConfig = 10;

TEST_F(ProgramImage, IsA32BitGuiProgram) {
  EXPECT_EQ(image_.U16(image_.Pe() + 4), 0x014Cu) << "machine: i386";
  EXPECT_FALSE(image_.Pe32Plus());
  EXPECT_EQ(image_.U16(image_.Optional() + 68), 2u) << "subsystem: Windows GUI";
}

TEST_F(ProgramImage, HasAslrWithRelocationsAndDep) {
  constexpr std::uint16_t kDynamicBase = 0x0040, kNxCompat = 0x0100;
  EXPECT_NE(image_.DllCharacteristics() & kDynamicBase, 0) << "DYNAMIC_BASE";
  EXPECT_NE(image_.DllCharacteristics() & kNxCompat, 0) << "NX_COMPAT";
  constexpr std::uint16_t kRelocsStripped = 0x0001;
  EXPECT_EQ(image_.FileCharacteristics() & kRelocsStripped, 0) << "relocations stripped";
  const auto [rva, size] = image_.Directory(kBaseRelocations);
  EXPECT_NE(rva, 0u);
  EXPECT_GT(size, 0u);
  bool reloc = false;
  for (const auto& s : image_.Sections()) reloc = reloc || s.name == ".reloc";
  EXPECT_TRUE(reloc) << "no .reloc section";
}

TEST_F(ProgramImage, LoadConfigurationKeepsDependentDllsInSystem32) {
  const auto [rva, size] = image_.Directory(kLoadConfig);
  ASSERT_NE(rva, 0u) << "no load configuration directory";
  const auto at = image_.FileOffset(rva);
  ASSERT_TRUE(at.has_value()) << "the load configuration lies in no section";
  // 32-bit layout: the structure holds exactly the fields up to
  // DependentLoadFlags (offset 0x36), and says so in its Size.
  const std::uint32_t structSize = image_.U32(*at);
  EXPECT_EQ(structSize, 0x38u);
  EXPECT_EQ(size, structSize) << "the directory's size and the structure's Size differ";
  constexpr std::uint16_t kSearchSystem32 = 0x0800;
  EXPECT_EQ(image_.U16(*at + 0x36), kSearchSystem32) << "DependentLoadFlags";
  // Every other field is zero.
  for (std::size_t offset = 4; offset < 0x36; ++offset) {
    EXPECT_EQ(image_.bytes[*at + offset], 0u) << "byte " << offset;
  }
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: pe_image_tests PROGRAM.exe\n");
    return 2;
  }
  g_program = argv[1];
  return RUN_ALL_TESTS();
}

// The check that a run left its inputs alone must itself notice every change.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/input_snapshot.h"
#include "support/scratch_dir.h"

namespace obscut::testing {
namespace {

void Write(const std::string& path, const std::string& bytes, std::ios::openmode mode) {
  std::ofstream(path, std::ios::binary | mode) << bytes;
}

TEST(InputFingerprint, ChangesWithAnyByteOrTheLengthAndOnlyThen) {
  ScratchDir dir;
  const std::string path = dir.File("input");
  Write(path, std::string(5000, 'a'), std::ios::trunc);
  const auto before = FingerprintOf(path);
  ASSERT_TRUE(before.has_value());

  Write(path, std::string(5000, 'a'), std::ios::trunc);
  EXPECT_EQ(FingerprintOf(path), before) << "same bytes written again";

  std::fstream(path, std::ios::binary | std::ios::in | std::ios::out).seekp(2500).put('b');
  EXPECT_NE(FingerprintOf(path), before) << "one byte in the middle";

  Write(path, std::string(5000, 'a') + '\0', std::ios::trunc);
  EXPECT_NE(FingerprintOf(path), before) << "one zero byte more";

  EXPECT_FALSE(FingerprintOf(dir.File("missing")).has_value());
  EXPECT_FALSE(FingerprintOf(dir.File("")).has_value()) << "a folder";
}

TEST(InputFingerprint, SeesDataWrittenIntoASparseFile) {
  ScratchDir dir;
  const std::string path = dir.File("sparse");
  std::filesystem::resize_file((Write(path, "head", std::ios::trunc), path), 1 << 30);
  const auto before = FingerprintOf(path);
  ASSERT_TRUE(before.has_value());
  EXPECT_EQ(before->length, 1u << 30);

  std::fstream(path, std::ios::binary | std::ios::in | std::ios::out).seekp(1 << 29).put('x');
  EXPECT_NE(FingerprintOf(path), before);
}

}  // namespace
}  // namespace obscut::testing

#include "base/log.h"

#include <sstream>

#include <gtest/gtest.h>

#include "base/memory_status.h"

namespace {

TEST(LogTest, HeaderIsWrittenByteForByte) {
  MemoryStatus memory;
  memory.totalPhysicalKiB = 16384000;
  memory.availablePhysicalKiB = 8000000;
  memory.totalPageFileKiB = 2097148;
  memory.availablePageFileKiB = 1000;
  std::ostringstream out;
  WriteLogHeader(out, {"llvmpipe", 800, 600, 16, false}, memory);

  const std::string dots(74, '.');
  const std::string expected =
      dots + "\n" +
      ".                              l a n t e r n                             .\n" + dots +
      "\n\n"
      "Device: llvmpipe\n"
      "Resolution: 800x600x16    Windowed: Yes\n\n"
      "Physical Memory - Total: 16384000K    Free: 8000000K\n"
      "Virtual Memory  - Total: 2097148K    Free: 1000K\n\n";
  EXPECT_EQ(out.str(), expected);
  EXPECT_EQ(out.str().find('\n'), 74u);
  EXPECT_EQ(out.str().find('\n', 75), 75u + 74u);
}

TEST(LogTest, FullScreenIsNotWindowed) {
  std::ostringstream out;
  WriteLogHeader(out, {"x", 640, 480, 32, true}, MemoryStatus{});
  EXPECT_NE(out.str().find("Resolution: 640x480x32    Windowed: No\n\n"), std::string::npos);
}

TEST(LogTest, MemInfoFieldsAreReadInKiB) {
  std::istringstream meminfo(
      "MemTotal:       24576000 kB\n"
      "MemFree:          123456 kB\n"
      "MemAvailable:   20000000 kB\n"
      "Buffers:            1000 kB\n"
      "SwapTotal:       1048572 kB\n"
      "SwapFree:         524288 kB\n"
      "garbage line\n");
  const MemoryStatus status = ParseMemInfo(meminfo);
  EXPECT_EQ(status.totalPhysicalKiB, 24576000u);
  EXPECT_EQ(status.availablePhysicalKiB, 20000000u);
  EXPECT_EQ(status.totalPageFileKiB, 1048572u);
  EXPECT_EQ(status.availablePageFileKiB, 524288u);
}

TEST(LogTest, ThisMachineHasMemory) {
  const MemoryStatus status = ReadMemoryStatus();
  EXPECT_GT(status.totalPhysicalKiB, 0u);
  EXPECT_LE(status.availablePhysicalKiB, status.totalPhysicalKiB);
}

}  // namespace

// lantern-capture run for real, on the archive the build generated.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>

#include "capture_run_fixture.h"

namespace {

// Width and height from a PNG file's header chunk.
bool ReadPngSize(const std::string& path, uint32_t& width, uint32_t& height) {
  std::ifstream file(path, std::ios::binary);
  unsigned char header[24] = {};
  if (!file.read(reinterpret_cast<char*>(header), sizeof header)) return false;
  const auto big32 = [&](int at) {
    return uint32_t{header[at]} << 24 | uint32_t{header[at + 1]} << 16 |
           uint32_t{header[at + 2]} << 8 | header[at + 3];
  };
  width = big32(16);
  height = big32(20);
  return header[1] == 'P' && header[2] == 'N' && header[3] == 'G';
}

TEST_F(CaptureRunTest, MomentsAreWrittenAsPngsOfTheChosenSize) {
  const ChildResult run =
      Capture({"--mute", "--size", "320x200", "--at", "2.5,0.25", "--out", "shots"});
  ASSERT_EQ(run.exitStatus, 0) << run.standardError;
  EXPECT_NE(run.standardOutput.find("lantern-000.250.png"), std::string::npos);
  for (const char* name : {"shots/lantern-000.250.png", "shots/lantern-002.500.png"}) {
    uint32_t width = 0, height = 0;
    ASSERT_TRUE(ReadPngSize(directory_.File(name), width, height)) << name;
    EXPECT_EQ(width, 320u);
    EXPECT_EQ(height, 200u);
  }
}

TEST_F(CaptureRunTest, TheBenchReportsATotal) {
  const ChildResult run = Capture({"--mute", "--bench", "--fps", "2"});
  EXPECT_EQ(run.exitStatus, 0) << run.standardError;
  // Two frames a second until the timeline runs out, minutes into the demo.
  std::smatch total;
  ASSERT_TRUE(std::regex_search(run.standardOutput, total,
                                std::regex("\n +total +([0-9]+) frames +[0-9.]+ fps")))
      << run.standardOutput;
  EXPECT_GT(std::stoi(total[1]), 2 * 240);
  EXPECT_TRUE(std::regex_search(run.standardOutput, std::regex("\n *[0-9]+  fade +[0-9]+ frames")))
      << run.standardOutput;
}

std::vector<char> FileBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Moments reached through their warm-up, twice: the same command gives the same bytes.
// 29 s plays from the cut at 28.4 s, 45.5 s from there too (the title over the scene).
TEST_F(CaptureRunTest, TheSameMomentsComeOutTheSameTwice) {
  const std::vector<std::string> command{"--mute", "--size", "160x120", "--fps", "10",
                                         "--at",   "1.2,29,45.5",       "--out", "shots"};
  const std::vector<std::string> names{"shots/lantern-001.200.png", "shots/lantern-029.000.png",
                                       "shots/lantern-045.500.png"};
  std::vector<std::vector<char>> runs[2];
  for (auto& files : runs) {
    const ChildResult result = Capture(command);
    ASSERT_EQ(result.exitStatus, 0) << result.standardError;
    for (const std::string& name : names) files.push_back(FileBytes(directory_.File(name)));
  }
  for (size_t index = 0; index < names.size(); ++index) {
    EXPECT_FALSE(runs[0][index].empty()) << names[index];
    EXPECT_TRUE(runs[0][index] == runs[1][index]) << names[index];
  }
  EXPECT_FALSE(runs[0][0] == runs[0][1]);
}

TEST_F(CaptureRunTest, ASheetTilesOneLabelledFramePerStep) {
  const ChildResult run = Capture({"--mute", "--size", "160x120", "--sheet", "s.png", "--every",
                                   "1", "--from", "27", "--to", "31", "--jump"});
  ASSERT_EQ(run.exitStatus, 0) << run.standardError;
  EXPECT_EQ(run.standardOutput, "s.png\n");
  uint32_t width = 0, height = 0;
  ASSERT_TRUE(ReadPngSize(directory_.File("s.png"), width, height));
  // Four tiles of 160 x 120 in one row, 8 pixels apart, with two lines of label below.
  EXPECT_EQ(width, 8u + 4 * (160 + 8));
  EXPECT_GE(height, 8u + 120 + 2 * 24 + 8);
}

TEST_F(CaptureRunTest, HelpAndRefusalsComeBeforeTheDemoStarts) {
  TempDir empty;  // no archive: nothing may get as far as opening one
  const ChildResult help = RunChild(CAPTURE_BINARY, {"--help"}, empty.Path());
  EXPECT_EQ(help.exitStatus, 0);
  EXPECT_EQ(help.standardOutput.find("usage: lantern-capture"), 0u) << help.standardOutput;
  EXPECT_NE(help.standardOutput.find("--video"), std::string::npos);

  const ChildResult avi = RunChild(CAPTURE_BINARY, {"--video", "x.avi"}, empty.Path());
  EXPECT_EQ(avi.exitStatus, 2);
  EXPECT_EQ(avi.standardError.find("lantern-capture: --video wants a file name ending in .mp4"),
            0u)
      << avi.standardError;
  EXPECT_TRUE(std::filesystem::is_empty(empty.Path()));
}

TEST_F(CaptureRunTest, AMissingArchiveIsFatal) {
  TempDir empty;
  const ChildResult run = RunChild(CAPTURE_BINARY, {"--mute", "--at", "1"}, empty.Path());
  EXPECT_EQ(run.exitStatus, 255);
  EXPECT_NE(run.standardError.find("lantern-capture: Cannot open lantern.dat"),
            std::string::npos)
      << run.standardError;
}

// Outputs that cannot be written are refused before the demo is built: the working folder
// here has no archive, so any later failure would name lantern.dat instead of the path.
TEST(CaptureOutputTest, OutputsThatCannotBeWrittenAreRefusedNamingThePath) {
  TempDir directory;
  std::filesystem::create_directory(directory.File("clip.mkv"));
  std::ofstream(directory.File("plain")) << "a file";
  struct Refusal {
    std::vector<std::string> arguments;
    std::string named;
  };
  const std::vector<Refusal> refusals{
      {{"--video", "clip.mkv"}, "clip.mkv is a folder"},
      {{"--video", "missing/clip.mkv"}, "the folder missing does not exist"},
      {{"--sheet", "plain/sheet.png"}, "the folder plain does not exist"},
      {{"--at", "1", "--out", "plain"}, "plain"},
      {{"--at", "1", "--out", "plain/shots"}, "plain/shots"},
  };
  for (const Refusal& refusal : refusals) {
    std::vector<std::string> arguments{"--mute"};
    arguments.insert(arguments.end(), refusal.arguments.begin(), refusal.arguments.end());
    const ChildResult run = RunChild(CAPTURE_BINARY, arguments, directory.Path());
    EXPECT_EQ(run.exitStatus, 255) << refusal.named;
    EXPECT_NE(run.standardError.find(refusal.named), std::string::npos) << run.standardError;
    EXPECT_EQ(run.standardError.find("lantern.dat"), std::string::npos) << run.standardError;
  }
}

// Starts a long --video capture of `video` in `directory` and returns its process once its
// part file exists, that is once it is writing frames.
pid_t StartVideoCapture(const TempDir& directory, const std::string& video) {
  const pid_t child = fork();
  if (child == 0) {
    if (chdir(directory.Path().c_str()) != 0) _exit(127);
    execl(CAPTURE_BINARY, CAPTURE_BINARY, "--mute", "--size", "64x48", "--fps", "10", "--video",
          video.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  const std::string part = directory.File(video + ".part");
  for (int wait = 0; wait < 600 && !std::filesystem::exists(part); ++wait) usleep(50000);
  return child;
}

// A capture ended by SIGTERM or SIGHUP stops as Ctrl-C stops it: the part file removed,
// nothing under the requested name, and the status a shell reports for that signal.
TEST_F(CaptureRunTest, TermAndHangUpEndAVideoCleanly) {
  for (const int signal : {SIGTERM, SIGHUP}) {
    const std::string video = "clip" + std::to_string(signal) + ".mkv";
    const std::string part = directory_.File(video + ".part");
    const pid_t child = StartVideoCapture(directory_, video);
    ASSERT_GT(child, 0);
    EXPECT_TRUE(std::filesystem::exists(part));
    kill(child, signal);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "signal " << signal;
    EXPECT_EQ(WEXITSTATUS(status), 128 + signal);
    EXPECT_FALSE(std::filesystem::exists(part));
    EXPECT_FALSE(std::filesystem::exists(directory_.File(video)));
  }
}

// SIGKILL cannot be caught: the capture dies mid-file, and what it leaves is at most the
// part file, never a broken file under the requested name.
TEST_F(CaptureRunTest, AKilledVideoLeavesNothingUnderItsName) {
  const pid_t child = StartVideoCapture(directory_, "killed.mkv");
  ASSERT_GT(child, 0);
  EXPECT_TRUE(std::filesystem::exists(directory_.File("killed.mkv.part")));
  kill(child, SIGKILL);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFSIGNALED(status));
  EXPECT_FALSE(std::filesystem::exists(directory_.File("killed.mkv")));
}

// A disk that cannot take the file (here a file-size limit, which a test can set without
// touching the machine): the capture names the file and the cause, exits non-zero, and
// leaves nothing under the requested name or as a part file.
TEST_F(CaptureRunTest, AFileTheDiskCannotHoldIsReportedAndLeavesNothing) {
  std::filesystem::create_directory(directory_.File("shots"));
  struct Capture {
    std::vector<std::string> arguments;
    std::string file;
  };
  const std::vector<Capture> captures{
      {{"--size", "160x120", "--fps", "10", "--video", "clip.mkv", "--to", "20"}, "clip.mkv"},
      {{"--sheet", "sheet.png", "--to", "30"}, "sheet.png"},
      {{"--at", "5", "--out", "shots"}, "shots/lantern-005.000.png"},
  };
  for (const Capture& capture : captures) {
    std::vector<std::string> arguments{"--fsize=20480", CAPTURE_BINARY, "--mute"};
    arguments.insert(arguments.end(), capture.arguments.begin(), capture.arguments.end());
    const ChildResult run = RunChild("/usr/bin/prlimit", arguments, directory_.Path());
    EXPECT_EQ(run.exitStatus, 255) << capture.file << ": " << run.standardError;
    EXPECT_NE(run.standardError.find(capture.file), std::string::npos) << run.standardError;
    EXPECT_NE(run.standardError.find("File too large"), std::string::npos) << run.standardError;
    EXPECT_FALSE(std::filesystem::exists(directory_.File(capture.file)));
    EXPECT_FALSE(std::filesystem::exists(directory_.File(capture.file + ".part")));
  }
}

}  // namespace

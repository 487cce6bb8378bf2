// The command runner against the real process and pipe calls.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "base/FileSystem.h"
#include "base/TextConv.h"
#include "base/win32/Handle.h"
#include "config/RecorderProfile.h"
#include "config/Settings.h"
#include "recording/CommandRunner.h"

namespace vorlix {
namespace {

TEST(ExecCmdWin, AProgramThatCannotStartGivesEmptyOutput) {
  EXPECT_EQ(ExecCmd("vorlix_no_such_program_here.exe -i x"), L"");
  EXPECT_EQ(ExecCmd("\"" + WideToAnsi(GetAppDirectory()) + "missing folder\\tool.exe\""), L"");
}

TEST(ExecCmdWin, TheToolIsFoundBesideTheRunningProgram) {
  // ffmpeg.exe sits beside this test; the bare name must reach it, as the probe and the cutter rely on.
  const std::wstring out = ExecCmd("ffmpeg -hide_banner -version");
  EXPECT_NE(out.find(L"ffmpeg version"), std::wstring::npos) << WideToUtf8(out);
}

// The recorder may hold its files open while the program edits them: reads share writing, writes share
// reading.
TEST(RecorderFilesWin, ReadsAndWritesShareWithTheRecorderHoldingTheFile) {
  const std::wstring path = GetAppDirectory() + L"shared_scene.json";
  ASSERT_TRUE(WriteWholeFile(path, "{\"a\":1}"));
  {
    CFileHandle writer(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                   OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(writer);
    EXPECT_EQ(profile::ReadWholeFile(path), "{\"a\":1}");
  }
  {
    CFileHandle reader(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                   OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(reader);
    profile::WriteWholeFile(path, "{\"a\":2}\n");
  }
  EXPECT_EQ(profile::ReadWholeFile(path), "{\"a\":2}\n");
  {
    // A holder that refuses to share writing keeps the file as it was.
    CFileHandle exclusive(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(exclusive);
    profile::WriteWholeFile(path, "lost");
  }
  EXPECT_EQ(profile::ReadWholeFile(path), "{\"a\":2}\n");
  RemoveFile(path);
}

}  // namespace
}  // namespace vorlix

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "win/ProcessRunner.h"

namespace vorlix {
namespace {

using test::CChildProcess;
using test::FolderOf;

std::vector<std::wstring> DumpsIn(const std::wstring& folder) {
  std::vector<std::wstring> out;
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW((folder + L"\\dump_*.dmp").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return out;
  do out.push_back(folder + L"\\" + fd.cFileName);
  while (FindNextFileW(h, &fd));
  FindClose(h);
  return out;
}

void Clean(const std::wstring& folder) {
  for (const auto& f : DumpsIn(folder)) DeleteFileW(f.c_str());
  RemoveDirectoryW(folder.c_str());
}

class CrashDumpTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_exeDir = FolderOf(CRASH_PROBE_PATH);
    m_marker = m_exeDir + L"\\recorder_stopped.txt";
    Clean(m_exeDir + L"\\crash_dump");
    DeleteFileW(m_marker.c_str());
  }
  void TearDown() override {
    Clean(m_exeDir + L"\\crash_dump");
    DeleteFileW(m_marker.c_str());
  }
  DWORD RunProbe(const std::wstring& workDir) {
    CChildProcess p;
    EXPECT_TRUE(p.Start(CRASH_PROBE_PATH, L"", workDir));
    DWORD code = 0;
    EXPECT_TRUE(p.Wait(60000, &code)) << "the crashed process must end without waiting for a dialog";
    return code;
  }
  std::wstring m_exeDir, m_marker;
};

TEST_F(CrashDumpTest, UnhandledExceptionWritesAMinidumpAndStopsTheRecorder) {
  EXPECT_NE(RunProbe(m_exeDir), 0u) << "the probe crashed rather than returning";
  auto dumps = DumpsIn(m_exeDir + L"\\crash_dump");
  ASSERT_EQ(dumps.size(), 1u);
  HANDLE f = CreateFileW(dumps[0].c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(f, INVALID_HANDLE_VALUE);
  char sig[4] = {};
  DWORD got = 0;
  ReadFile(f, sig, 4, &got, nullptr);
  LARGE_INTEGER size{};
  GetFileSizeEx(f, &size);
  CloseHandle(f);
  EXPECT_EQ(std::string(sig, got), "MDMP");
  EXPECT_GT(size.QuadPart, 1000);
  EXPECT_NE(GetFileAttributesW(m_marker.c_str()), INVALID_FILE_ATTRIBUTES) << "the recorder stop ran";
}

TEST_F(CrashDumpTest, FromAnotherFolderTheDumpFolderIsMadeBesideTheProgramButTheDumpIsSkipped) {
  wchar_t tmp[MAX_PATH];
  GetTempPathW(MAX_PATH, tmp);
  std::wstring elsewhere = std::wstring(tmp) + L"vorlix_crash_cwd";
  CreateDirectoryW(elsewhere.c_str(), nullptr);
  RunProbe(elsewhere);
  DWORD attrs = GetFileAttributesW((m_exeDir + L"\\crash_dump").c_str());
  EXPECT_TRUE(attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_DIRECTORY));
  EXPECT_TRUE(DumpsIn(m_exeDir + L"\\crash_dump").empty());
  EXPECT_TRUE(DumpsIn(elsewhere + L"\\crash_dump").empty());
  RemoveDirectoryW(elsewhere.c_str());
}

}  // namespace
}  // namespace vorlix

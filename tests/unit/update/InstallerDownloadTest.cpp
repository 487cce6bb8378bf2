// The installer download as the update worker runs it: only the announced file is left to be started.
#include <gtest/gtest.h>
#include <json/json.h>

#include <string>

#include "base/FileSystem.h"
#include "config/Settings.h"
#include "net/PLObject.h"
#include "net/Sha256.h"
#include "net/update/InstallerDownload.h"
#include "support/DevServiceClient.h"
#include "unit/net/CannedServer.h"

using namespace vorlix;
using namespace vorlix::test;

namespace {

std::string Installer() {
  std::string bytes = "MZ";
  for (int i = 0; i < 300000; ++i) bytes += static_cast<char>((i * 37 + i / 511) & 0xFF);
  return bytes;
}

class InstallerDownload : public ::testing::Test {
 protected:
  void SetUp() override {
    m_base = ServiceUrl();
    ASSERT_FALSE(m_base.empty());
    Control("POST", "reset");
    m_folder = GetAppDirectory() + L"installer_download_test";
    CreateDirectories(m_folder);
    Clean();
  }
  void TearDown() override { Clean(); }
  void Clean() {
    for (const wchar_t* name : {L"install.exe", L"install.exe.fd", L"install.exe.fd.cfg"}) RemoveFile(Path(name));
  }
  std::wstring Path(const wchar_t* name) const { return m_folder + PathSeparator() + name; }
  // A program from an earlier update attempt, which must never be started in place of this one.
  void LeaveStaleInstaller() { ASSERT_TRUE(WriteWholeFile(Path(L"install.exe"), "MZ stale")); }
  int Download(const std::string& url, const std::string& sha256) {
    plHttp::CPLObject http({}, m_base, m_base + "/print");
    return DownloadInstaller(http, url, m_folder, sha256);
  }
  std::string m_base;
  std::wstring m_folder;
};

}  // namespace

TEST_F(InstallerDownload, KeptOnlyWhenItIsTheAnnouncedFile) {
  const std::string installer = Installer();
  const std::string digest = net::Sha256Hex(installer);
  std::string tampered = installer;
  tampered[tampered.size() / 2] ^= 0x01;
  std::string upper = digest;
  for (char& c : upper) c = static_cast<char>(c >= 'a' && c <= 'f' ? c - 'a' + 'A' : c);
  struct Case {
    const char* name;
    const std::string* served;
    std::string announced;
    int result;
  } cases[] = {
      {"matching digest", &installer, digest, 0},
      {"digest in capitals", &installer, upper, 0},
      {"one byte changed", &tampered, digest, kInstallerDigestMismatch},
      {"unusable digest in the answer", &installer, "-", kInstallerDigestMismatch},
      {"no digest: a complete download", &tampered, "", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LeaveStaleInstaller();
    const std::string url = PutDownload("install.exe", *c.served);
    EXPECT_EQ(Download(url, c.announced), c.result);
    std::string bytes;
    if (c.result == 0) {
      ASSERT_TRUE(ReadWholeFile(Path(L"install.exe"), bytes));
      EXPECT_TRUE(bytes == *c.served);
    } else {
      EXPECT_FALSE(FileExists(Path(L"install.exe"))) << "neither the stale nor the tampered file stays";
    }
    EXPECT_FALSE(FileExists(Path(L"install.exe.fd")) && c.result == 0);
    Clean();
  }
}

TEST_F(InstallerDownload, AFailedOrShortDownloadLeavesNothingToStart) {
  const std::string installer = Installer();
  // The connection ends before the announced length; libcurl's own check and ours both refuse it.
  CannedServer shortServer([&](const std::string&, const CannedServer::Send& send) {
    send("HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(installer.size()) + "\r\nConnection: close\r\n\r\n" +
         installer.substr(0, installer.size() - 1000));
  });
  LeaveStaleInstaller();
  EXPECT_NE(Download(shortServer.BaseUrl() + "/install.exe", ""), 0);
  EXPECT_FALSE(FileExists(Path(L"install.exe")));

  Json::Value fault;
  fault["status"] = 500;
  ConfigureDownloads(fault);
  LeaveStaleInstaller();
  EXPECT_EQ(Download(PutDownload("install.exe", installer), net::Sha256Hex(installer)), 500);
  EXPECT_FALSE(FileExists(Path(L"install.exe")));
}

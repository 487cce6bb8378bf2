// Every transfer of the program checks the peer's certificate: against a server whose authority the
// system does not trust, the request object, the installer download and the block upload all fail and
// leave nothing behind; once the system's store holds that authority the same transfers succeed; a
// certificate for another name is refused whoever issued it. tests/unit/net/fixtures/with_tls_server.sh
// starts the server and runs the Untrusted cases, then the Trusted ones with the authority in the
// host's store (VORLIX_TLS_TRUSTED=1).
#include <curl/curl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "base/FileSystem.h"
#include "config/Settings.h"
#include "net/CloudUpload.h"
#include "net/PLObject.h"
#include "net/download/TransferEngine.h"

using namespace plHttp;
using namespace vorlix;
using namespace vorlix::net;

namespace {

std::string Pattern(std::size_t n) {
  std::string s(n, '\0');
  for (std::size_t i = 0; i < n; ++i) s[i] = static_cast<char>((i * 131 + i / 977) & 0xFF);
  return s;
}

class TlsTrust : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* port = std::getenv("VORLIX_TLS_PORT");
    const char* authority = std::getenv("VORLIX_TLS_AUTHORITY");
    ASSERT_TRUE(port && authority) << "run through tests/unit/net/fixtures/with_tls_server.sh";
    m_port = port;
    m_trusted = std::getenv("VORLIX_TLS_TRUSTED") != nullptr;
    m_folder = GetAppDirectory() + L"tls_trust_test";
    CreateDirectories(m_folder);
    m_upload = m_folder + PathSeparator() + L"clip.mp4";
    ASSERT_TRUE(WriteWholeFile(m_upload, std::string(5000, 'c')));
    Clean();
  }
  void TearDown() override {
    Clean();
    RemoveFile(m_upload);
  }
  void Clean() {
    for (const wchar_t* name : {L"install.exe", L"install.exe.fd", L"install.exe.fd.cfg"})
      RemoveFile(m_folder + PathSeparator() + name);
  }
  std::string Base(const char* host = "localhost") const { return std::string("https://") + host + ":" + m_port; }
  std::wstring Target() const { return m_folder + PathSeparator() + L"install.exe"; }

  struct Outcome {
    int get, download, upload;
    std::string body;
  };
  Outcome RunAll(const std::string& base) {
    Outcome o;
    CPLObject http({}, base, base + "/print");
    o.get = http.HttpGet(base + "/", 5, 15, o.body);
    TransferEngine engine;
    o.download = engine.DownloadFile(base + "/file", m_folder, L"install.exe");
    PutResult put;
    o.upload = CloudPutFile(base, "token", "clip.mp4", m_upload, PutExtra(), put);
    return o;
  }

  std::string m_port;
  bool m_trusted = false;
  std::wstring m_folder, m_upload;
};

}  // namespace

TEST_F(TlsTrust, UntrustedAuthorityIsRefused) {
  ASSERT_FALSE(m_trusted);
  Outcome refused = RunAll(Base());
  EXPECT_EQ(refused.get, CURLE_PEER_FAILED_VERIFICATION);
  EXPECT_TRUE(refused.body.empty());
  EXPECT_EQ(refused.download, CURLE_PEER_FAILED_VERIFICATION);
  EXPECT_FALSE(FileExists(Target())) << "nothing is written as complete";
  EXPECT_EQ(refused.upload, -static_cast<int>(CURLE_PEER_FAILED_VERIFICATION));
}

TEST_F(TlsTrust, TrustedAuthorityIsAcceptedForItsOwnNameOnly) {
  ASSERT_TRUE(m_trusted) << "the authority is not in the host's store";
  Outcome accepted = RunAll(Base());
  EXPECT_EQ(accepted.get, 0);
  EXPECT_EQ(accepted.body.rfind("{\"code\":200", 0), 0u) << accepted.body;
  EXPECT_EQ(accepted.download, 0);
  std::string bytes;
  ASSERT_TRUE(ReadWholeFile(Target(), bytes));
  EXPECT_TRUE(bytes == Pattern(200000)) << "received " << bytes.size() << " bytes";
  EXPECT_EQ(accepted.upload, kCloudUploadOk);
  Clean();

  // The right authority does not make a certificate good for another name.
  Outcome wrongName = RunAll(Base("127.0.0.1"));
  EXPECT_EQ(wrongName.get, CURLE_PEER_FAILED_VERIFICATION);
  EXPECT_EQ(wrongName.download, CURLE_PEER_FAILED_VERIFICATION);
  EXPECT_FALSE(FileExists(Target()));
  EXPECT_EQ(wrongName.upload, -static_cast<int>(CURLE_PEER_FAILED_VERIFICATION));
}

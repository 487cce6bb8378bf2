// The update page inside the settings dialog against the development service: the offer, the download
// with its bar, the hand-over to the main window, and what a failed or abandoned download leaves.
#include <gtest/gtest.h>

#include "net/PLObject.h"
#include "support/DevServiceClient.h"
#include "win/settings/SettingsWinSupport.h"

namespace vorlix {
namespace {

using test::CModalDriver;

const bool kRoamingReady = test::PointRoamingFolderHere();

std::wstring Installer() { return GetAppDirectory() + L"temp\\install.exe"; }

class UpdatePageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(kRoamingReady);
    test::ApplyProductSkin();
    vorlix::test::Control("POST", "reset", Json::Value(Json::objectValue));
    RemoveFile(Installer());
    RemoveFile(Installer() + L".fd");
    RemoveFile(Installer() + L".fd.cfg");
    m_main = test::CreateStandInMainWindow();
    SetMainWindowHandle(m_main);
    SetForegroundWindow(m_main);
    test::g_mainLog = test::MainWindowLog();
  }
  void TearDown() override {
    vorlix::test::ConfigureDownloads(Json::Value(Json::objectValue));
    SetMainWindowHandle(nullptr);
    DestroyWindow(m_main);
  }

  // The service offers a newer build whose installer has the given size; returns the bytes.
  std::string OfferInstaller(std::size_t size, const Json::Value& downloadFaults) {
    std::string bytes = "MZ";
    while (bytes.size() < size) bytes.push_back(static_cast<char>('a' + bytes.size() % 23));
    Json::Value cfg;
    cfg["latest"]["versionCode"] = "V9.0.0.1";
    cfg["latest"]["modifyDesc"] = "new build";
    cfg["latest"]["url"] = vorlix::test::PutDownload("install.exe", bytes);
    vorlix::test::Control("POST", "config", cfg);
    vorlix::test::ConfigureDownloads(downloadFaults);
    return bytes;
  }

  // Steps that open the update tab and click the offer once the page's own check has shown it.
  static std::vector<CModalDriver::Step> OpenAndClickOffer(CDlgSetting& dlg) {
    return {[&dlg] {
              POINT p = test::TabCentre(CDlgSetting::kTabUpdateId);
              test::ClickClient(dlg.GetHWND(), p.x, p.y);
              return true;
            },
            [&dlg] {
              CDlgCheckUpdate* page = dlg.UpdatePage();
              CUIControl* link = page->GetControl(CDlgCheckUpdate::kOfferLinkId);
              if (!test::PageVisible(page) || link == nullptr || !link->IsVisible()) return false;
              test::ClickClient(page->GetHWND(), 245, 108);
              return true;
            },
            [&dlg] {
              // A refused download may already have ended by the next look.
              const UpdatePageStage stage = dlg.UpdatePage()->State().Stage();
              return stage == UpdatePageStage::Downloading || stage == UpdatePageStage::Failed ||
                     stage == UpdatePageStage::HandedOver;
            }};
  }

  HWND m_main = nullptr;
};

TEST_F(UpdatePageTest, DownloadsWithTheBarMovingAndHandsOverToTheMainWindow) {
  Json::Value faults;
  faults["rate"] = 100000;
  const std::string bytes = OfferInstaller(300000, faults);
  CDlgSetting dlg;
  std::vector<int> values;
  bool secondClickIgnored = false;
  bool shot = false;
  const std::wstring shots = test::ScreenshotDir();
  auto steps = OpenAndClickOffer(dlg);
  steps.push_back([&] {
    // A second click while downloading: the link is gone and the state refuses it.
    CDlgCheckUpdate* page = dlg.UpdatePage();
    test::ClickClient(page->GetHWND(), 245, 108);
    secondClickIgnored = !page->GetControl(CDlgCheckUpdate::kOfferLinkId)->IsVisible();
    return true;
  });
  steps.push_back([&] {
    // Watches the bar until the dialog closes itself.
    auto* bar = static_cast<CUIProgressBar*>(dlg.UpdatePage()->GetControl(CDlgCheckUpdate::kProgressId));
    if (bar->IsVisible() && (values.empty() || values.back() != bar->GetValue())) {
      values.push_back(bar->GetValue());
      if (!shots.empty() && !shot && bar->GetValue() >= 30) {
        test::Pump(100);
        shot = test::SaveScreenOfWindowPng(dlg.GetHWND(), shots + L"settings-update-downloading.png");
      }
    }
    return false;
  });
  const DWORD start = GetTickCount();
  test::RunSettings(dlg, m_main, steps, 20000);
  test::Pump(100);
  EXPECT_LT(GetTickCount() - start, 15000u) << "the dialog closed itself";
  EXPECT_TRUE(secondClickIgnored);
  EXPECT_EQ(test::g_mainLog.startInstall, 1);
  EXPECT_EQ(test::FileBytes(Installer()), bytes);
  ASSERT_FALSE(values.empty()) << "the bar showed";
  bool between = false;
  for (int v : values) between = between || (v > 0 && v < 100);
  EXPECT_TRUE(between) << "the bar moved through the download";
  EXPECT_EQ(vorlix::test::RecordedRequests("download")["requests"].size(), 1u) << "one download only";
  EXPECT_EQ(plHttp::GetPLObject().GetHttpCallback(), nullptr) << "the listener went with the page";
}

TEST_F(UpdatePageTest, AFailedDownloadShowsTheFailureAndHandsNothingOver) {
  struct Case {
    const char* what;
    const char* faults;
  } cases[] = {
      {"connection cut before the end", R"({"stall": true, "stall_after": 1000, "stall_seconds": 1})"},
      {"refused by the server", R"({"status": 404})"},
  };
  for (const Case& c : cases) {
    Json::Value faults;
    Json::Reader().parse(c.faults, faults);
    vorlix::test::Control("POST", "reset", Json::Value(Json::objectValue));
    OfferInstaller(50000, faults);
    test::g_mainLog = test::MainWindowLog();
    CDlgSetting dlg;
    std::wstring status;
    bool linkAgain = false;
    auto steps = OpenAndClickOffer(dlg);
    int handedOverBeforeRetry = -1;
    bool installerAfterFailure = true;
    steps.push_back([&] {
      CDlgCheckUpdate* page = dlg.UpdatePage();
      if (page->State().Stage() != UpdatePageStage::Failed) return false;
      test::Pump(200);
      status = test::TextOf(page, CDlgCheckUpdate::kStatusId);
      linkAgain = page->GetControl(CDlgCheckUpdate::kOfferLinkId)->IsVisible() &&
                  page->GetControl(CDlgCheckUpdate::kStatusId)->IsVisible();
      handedOverBeforeRetry = test::g_mainLog.startInstall;
      installerAfterFailure = FileExists(Installer());
      // The server is well again: the link offered again fetches the whole installer.
      vorlix::test::Control("POST", "reset", Json::Value(Json::objectValue));
      OfferInstaller(50000, Json::Value(Json::objectValue));
      test::ClickClient(page->GetHWND(), 245, 108);
      return true;
    });
    steps.push_back([] { return false; });  // the hand-over closes the dialog
    test::RunSettings(dlg, m_main, steps, 20000);
    test::Pump(100);
    EXPECT_EQ(status, L"下载失败，请稍后重试") << c.what;
    EXPECT_TRUE(linkAgain) << c.what;
    EXPECT_EQ(handedOverBeforeRetry, 0) << c.what;
    EXPECT_FALSE(installerAfterFailure) << c.what;
    EXPECT_EQ(static_cast<int>(dlg.UpdatePage()->State().Stage()), static_cast<int>(UpdatePageStage::HandedOver))
        << c.what << ": the second try";
    EXPECT_EQ(test::g_mainLog.startInstall, 1) << c.what;
    EXPECT_EQ(FileSize(Installer()), 50000) << c.what;
    RemoveFile(Installer());
  }
}

TEST_F(UpdatePageTest, AServerWithoutALengthStillHandsOverWithoutABar) {
  Json::Value faults;
  faults["no_length"] = true;
  const std::string bytes = OfferInstaller(40000, faults);
  CDlgSetting dlg;
  bool barShown = false;
  auto steps = OpenAndClickOffer(dlg);
  steps.push_back([&] {
    barShown = barShown || dlg.UpdatePage()->GetControl(CDlgCheckUpdate::kProgressId)->IsVisible();
    return false;  // until the hand-over closes the dialog
  });
  test::RunSettings(dlg, m_main, steps, 20000);
  test::Pump(100);
  EXPECT_FALSE(barShown) << "no length, no progress report";
  EXPECT_EQ(test::g_mainLog.startInstall, 1);
  EXPECT_EQ(test::FileBytes(Installer()), bytes);
}

TEST_F(UpdatePageTest, ClosingDuringTheCheckDoesNotWaitForTheServer) {
  // The service takes its time to answer the page's own check.
  Json::Value cfg;
  cfg["overrides"]["/apkVersion/api/v1.0/find"]["status"] = 200;
  cfg["overrides"]["/apkVersion/api/v1.0/find"]["body"] =
      "{\"code\":200,\"data\":{\"versionCode\":\"V9.0.0.1\",\"url\":\"http://127.0.0.1:1/install.exe\"}}";
  cfg["overrides"]["/apkVersion/api/v1.0/find"]["delay"] = 2;
  vorlix::test::Control("POST", "config", cfg);
  const DWORD start = GetTickCount();
  {
    CDlgSetting dlg;
    test::RunSettings(dlg, m_main, {[&dlg] { return dlg.UpdatePage()->State().IsBusy(); }});
  }
  EXPECT_LT(GetTickCount() - start, 2000u) << "closed without waiting for the answer";
  EXPECT_EQ(plHttp::GetPLObject().GetHttpCallback(), nullptr);
  // The answer comes to a page that is gone: nothing receives it, nothing breaks.
  test::Pump(3000);
  EXPECT_EQ(vorlix::test::RecordedRequests("update_check")["requests"].size(), 1u);
  EXPECT_EQ(test::g_mainLog.startInstall, 0);
}

TEST_F(UpdatePageTest, ClosingDuringTheDownloadCancelsItAndHandsNothingOver) {
  Json::Value faults;
  faults["rate"] = 20000;
  OfferInstaller(2000000, faults);
  CDlgSetting dlg;
  auto steps = OpenAndClickOffer(dlg);
  DWORD closedAt = 0;
  steps.push_back([&] {
    // Once a progress report has come, the download is under way.
    if (!dlg.UpdatePage()->GetControl(CDlgCheckUpdate::kProgressId)->IsVisible()) return false;
    POINT p = test::CloseCentre();
    test::ClickClient(dlg.GetHWND(), p.x, p.y);
    closedAt = GetTickCount();
    return true;
  });
  steps.push_back([] { return false; });  // the close button ends the dialog
  test::RunSettings(dlg, m_main, steps, 20000);
  const DWORD closing = GetTickCount() - closedAt;
  EXPECT_LT(closing, 4000u) << "the download was cancelled, not waited for";
  test::Pump(300);
  EXPECT_EQ(test::g_mainLog.startInstall, 0);
  EXPECT_FALSE(FileExists(Installer()));
  EXPECT_EQ(plHttp::GetPLObject().GetHttpCallback(), nullptr);
}

}  // namespace
}  // namespace vorlix

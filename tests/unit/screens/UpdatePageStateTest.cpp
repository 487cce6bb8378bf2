#include <gtest/gtest.h>

#include <string>

#include "screens/settings/UpdatePageState.h"

namespace vorlix {
namespace {

const char kLocal[] = "V1.0.0.1";

std::string Answer(const std::string& versionCode, const std::string& url = "http://127.0.0.1:1/download/install.exe") {
  return "{\"code\":200,\"msg\":\"ok\",\"data\":{\"versionCode\":\"" + versionCode +
         "\",\"modifyDesc\":\"fixes\",\"url\":\"" + url + "\"}}";
}

// A page whose own check found an offer.
CUpdatePageState Offered() {
  CUpdatePageState page(kLocal);
  page.Init(std::string(), true);
  page.OnCheckAnswer(Answer("V2.0.0.0"));
  return page;
}

TEST(UpdatePageState, TheOwnCheckDecidesWhetherTheLinkShows) {
  CUpdatePageState page(kLocal);
  EXPECT_TRUE(page.Init(Answer("V2.0.0.0"), true));
  EXPECT_EQ(page.Stage(), UpdatePageStage::Checking);
  EXPECT_TRUE(page.IsBusy());
  EXPECT_FALSE(page.View().linkVisible) << "hidden until the page's own answer";
  page.OnCheckAnswer(Answer(kLocal));
  EXPECT_EQ(page.Stage(), UpdatePageStage::UpToDate);
  EXPECT_FALSE(page.View().linkVisible);
  EXPECT_FALSE(page.IsBusy());

  CUpdatePageState older(kLocal);
  older.Init(std::string(), true);
  older.OnCheckAnswer(Answer("V0.9.0.0"));  // the service may roll a build back
  EXPECT_EQ(older.Stage(), UpdatePageStage::Offered);
  EXPECT_TRUE(older.View().linkVisible);
  EXPECT_EQ(older.Info().url, "http://127.0.0.1:1/download/install.exe");
}

TEST(UpdatePageState, WithoutItsOwnCheckThePageShowsTheHandedOverAnswer) {
  CUpdatePageState page(kLocal);
  EXPECT_FALSE(page.Init(Answer("V2.0.0.0"), false));
  EXPECT_EQ(page.Stage(), UpdatePageStage::Offered);
  EXPECT_TRUE(page.View().linkVisible);
}

TEST(UpdatePageState, AnUnusableAnswerKeepsWhatThePageKnew) {
  const std::string unusable[] = {"", "not json", "{\"code\":500,\"data\":{\"versionCode\":\"V2.0.0.0\"}}",
                                  "{\"code\":200}", "{\"code\":200,\"data\":{\"url\":\"http://x/i.exe\"}}", "[1,2]"};
  for (const std::string& text : unusable) {
    CUpdatePageState fresh(kLocal);
    fresh.Init(std::string(), true);
    fresh.OnCheckAnswer(text);
    EXPECT_EQ(fresh.Stage(), UpdatePageStage::UpToDate) << text;
    EXPECT_FALSE(fresh.View().linkVisible) << text;

    // The start-up check had found an offer: it still stands.
    CUpdatePageState known(kLocal);
    known.Init(Answer("V2.0.0.0"), true);
    known.OnCheckAnswer(text);
    EXPECT_EQ(known.Stage(), UpdatePageStage::Offered) << text;
    EXPECT_TRUE(known.View().linkVisible) << text;
  }
}

TEST(UpdatePageState, AnOfferWithoutAnInstallerShowsNoLink) {
  CUpdatePageState page(kLocal);
  page.Init(std::string(), true);
  page.OnCheckAnswer(Answer("V2.0.0.0", ""));
  EXPECT_TRUE(page.Info().needUpdate);
  EXPECT_FALSE(page.View().linkVisible);
  EXPECT_FALSE(page.OnLinkClicked());
}

TEST(UpdatePageState, ACompleteDownloadIsHandedOver) {
  CUpdatePageState page = Offered();
  ASSERT_TRUE(page.OnLinkClicked());
  EXPECT_EQ(page.Stage(), UpdatePageStage::Downloading);
  EXPECT_TRUE(page.IsBusy());
  EXPECT_FALSE(page.View().linkVisible);
  EXPECT_TRUE(page.View().statusVisible);
  EXPECT_EQ(page.View().statusText, kUpdateStatusDownloading);
  EXPECT_FALSE(page.View().barVisible) << "no bar before the first report";
  EXPECT_FALSE(page.OnLinkClicked()) << "a second click while downloading starts nothing";

  page.OnProgress("57", 1000);
  EXPECT_TRUE(page.View().barVisible);
  EXPECT_EQ(page.View().barValue, 57);
  page.OnProgress("", 1000);  // the speed not known yet
  EXPECT_EQ(page.View().barValue, 0);
  page.OnProgress("100", 1000);
  EXPECT_EQ(page.View().barValue, 100);

  EXPECT_TRUE(page.OnDownloadDone(0, 1000));
  EXPECT_EQ(page.Stage(), UpdatePageStage::HandedOver);
  EXPECT_FALSE(page.View().barVisible);
  EXPECT_FALSE(page.IsBusy());
  EXPECT_FALSE(page.OnLinkClicked());
}

TEST(UpdatePageState, AServerWithoutALengthStillCompletesWithoutABar) {
  CUpdatePageState page = Offered();
  ASSERT_TRUE(page.OnLinkClicked());
  EXPECT_TRUE(page.OnDownloadDone(0, 5002));
  EXPECT_EQ(page.Stage(), UpdatePageStage::HandedOver);
}

TEST(UpdatePageState, AFailedOrIncompleteDownloadIsNeverHandedOver) {
  struct Case {
    const char* what;
    long long announced;  // 0: no report came
    int result;
    long long fileSize;
  } cases[] = {
      {"connection cut mid-way", 1000, 18, -1},
      {"refused by the server", 0, 404, -1},
      {"cancelled", 1000, 42, -1},
      {"shorter than announced", 1000, 0, 999},
      {"longer than announced", 1000, 0, 1001},
      {"reported done but no file", 0, 0, -1},
      {"empty file", 0, 0, 0},
  };
  for (const Case& c : cases) {
    CUpdatePageState page = Offered();
    ASSERT_TRUE(page.OnLinkClicked());
    if (c.announced > 0) page.OnProgress("50", c.announced);
    EXPECT_FALSE(page.OnDownloadDone(c.result, c.fileSize)) << c.what;
    EXPECT_EQ(page.Stage(), UpdatePageStage::Failed) << c.what;
    EXPECT_EQ(page.View().statusText, kUpdateStatusFailed) << c.what;
    EXPECT_TRUE(page.View().statusVisible) << c.what;
    EXPECT_TRUE(page.View().linkVisible) << c.what << ": the link is offered again";
    EXPECT_FALSE(page.View().barVisible) << c.what;
    // The next try starts over and may succeed.
    ASSERT_TRUE(page.OnLinkClicked()) << c.what;
    EXPECT_EQ(page.View().statusText, kUpdateStatusDownloading);
    page.OnProgress("100", 2000);
    EXPECT_TRUE(page.OnDownloadDone(0, 2000)) << c.what;
  }
}

TEST(UpdatePageState, LateMessagesChangeNothing) {
  CUpdatePageState page = Offered();
  ASSERT_TRUE(page.OnLinkClicked());
  page.OnCheckAnswer(Answer(kLocal));  // an answer arriving during the download
  EXPECT_EQ(page.Stage(), UpdatePageStage::Downloading);
  EXPECT_EQ(page.Info().url, "http://127.0.0.1:1/download/install.exe");

  CUpdatePageState idle = Offered();
  idle.OnProgress("50", 1000);  // no download runs
  EXPECT_FALSE(idle.View().barVisible);
  EXPECT_FALSE(idle.OnDownloadDone(0, 1000));
  EXPECT_EQ(idle.Stage(), UpdatePageStage::Offered);
}

TEST(UpdatePageState, PercentTexts) {
  struct Case {
    const char* text;
    int value;
  } cases[] = {{"", 0}, {"0", 0}, {"57", 57}, {"100", 100}, {"250", 100}, {"abc", 0}, {"7x", 7}, {"-5", 0}};
  for (const Case& c : cases) EXPECT_EQ(PercentFromText(c.text), c.value) << c.text;
}

}  // namespace
}  // namespace vorlix

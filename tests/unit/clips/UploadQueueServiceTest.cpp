// The upload queue with the real storage client and registration against the development service
// (VORLIX_SERVICE_URL): a storage fault part-way, then the resume of a later pass; a registration the
// service refuses.
#include <gtest/gtest.h>

#include "net/Sha1.h"
#include "recording/CCutVideoServices.h"
#include "recording/ClipPlanner.h"
#include "recording/UploadQueueResume.h"
#include "unit/clips/ClipRecording.h"

namespace vorlix {
namespace {

using namespace cliptest;

class UploadQueueService : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(test::ServiceUrl().empty());
    test::Control("POST", "reset");
    m_session = LogIn("13800138041");
    m_folder = Folder(L"upload_queue_" + Utf8ToWide(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    m_journal = Join(m_folder, L"upload-queue.journal");
    RemoveFile(m_journal);
  }
  // A clip of five storage blocks (the last one short), not periodic so a misplaced block shows.
  QueuedClip MakeClip(int64_t momentMs, std::string& bytes) {
    bytes.assign(4 * net::kCloudBlockSize + 123457, '\0');
    unsigned x = static_cast<unsigned>(momentMs);
    for (char& c : bytes) {
      x = x * 1103515245u + 12345u;
      c = char(x >> 23);
    }
    QueuedClip clip;
    clip.key = WideToAnsi(ClipFileName(Utf8ToWide(m_session.userId), momentMs));
    clip.localFile = Join(m_folder, Utf8ToWide(clip.key));
    clip.momentMs = momentMs;
    clip.segmentStart = static_cast<int32_t>(momentMs / 1000) - 45;
    clip.duration = 300;
    clip.size = static_cast<int64_t>(bytes.size());
    EXPECT_TRUE(WriteWholeFile(clip.localFile, bytes));
    return clip;
  }
  static std::vector<std::string> MkblkPaths() {
    std::vector<std::string> paths;
    const Json::Value recorded = test::RecordedRequests("mkblk");
    for (const Json::Value& r : recorded["requests"]) paths.push_back(r["path"].asString());
    return paths;
  }
  static int Registrations() { return static_cast<int>(test::RecordedRequests("register_clip")["requests"].size()); }

  plHttp::SessionValues m_session;
  std::wstring m_folder, m_journal;
};

TEST_F(UploadQueueService, AStorageFaultAtBlockThreeResumesThereAndStoresTheClipExactly) {
  std::string bytes;
  QueuedClip clip = MakeClip(1700000300000, bytes);
  CCutVideoServices services(nullptr);
  {
    Json::Value cfg;
    cfg["upload"]["fail_block"] = 2;  // the third mkblk
    cfg["upload"]["fail_count"] = 1;
    cfg["upload"]["fail_status"] = 503;
    test::Control("POST", "config", cfg);
    CUploadQueue queue(m_journal);
    ASSERT_TRUE(queue.Add(clip));
    SessionData data;
    data.videoFolder = m_folder;
    CCutVideoJob job(data, services, nullptr, &queue);
    EXPECT_FALSE(job.DeliverQueued(clip.key));
    QueuedClip stored;
    ASSERT_TRUE(queue.Find(clip.key, stored));
    EXPECT_EQ(EQueuedState::kUploading, stored.state);
    EXPECT_EQ(2u, stored.contexts.size());
    EXPECT_EQ(503, stored.lastCode);
    EXPECT_TRUE(FileExists(clip.localFile));
    EXPECT_EQ(0, Registrations());
  }
  const size_t before = MkblkPaths().size();
  EXPECT_EQ(3u, before);

  // The next start: a new queue from the journal, a pass once the back-off is over.
  Json::Value healthy;
  healthy["upload"]["fail_block"] = Json::Value();
  test::Control("POST", "config", healthy);
  CUploadQueue reopened(m_journal);
  ASSERT_TRUE(reopened.Load());
  class CLater : public CCutVideoServices {
   public:
    CLater() : CCutVideoServices(nullptr) {}
    int64_t NowMs() override { return CCutVideoServices::NowMs() + RetryDelayMs(1); }
  } later;
  QueuePassOutcome outcome = RunUploadQueuePass(reopened, later, Utf8ToWide(m_session.userId));
  EXPECT_EQ(1, outcome.registered);
  const std::vector<std::string> paths = MkblkPaths();
  const std::string block = std::to_string(net::kCloudBlockSize);
  // Blocks 1 and 2 are not sent again: the resume starts with the block that failed.
  EXPECT_EQ((std::vector<std::string>{"/mkblk/" + block, "/mkblk/" + block, "/mkblk/" + block, "/mkblk/" + block,
                                      "/mkblk/" + block, "/mkblk/123457"}),
            paths);
  EXPECT_EQ(net::Sha1Hex(bytes), net::Sha1Hex(StoredObject(clip.key)));
  EXPECT_EQ(1, Registrations());
  EXPECT_FALSE(FileExists(clip.localFile));
  EXPECT_TRUE(reopened.All().empty());
}

TEST_F(UploadQueueService, ARefusedRegistrationKeepsTheClipAndIsNotSentAgain) {
  Json::Value cfg;
  cfg["overrides"]["/cloud/api/v1.0"]["status"] = 200;
  cfg["overrides"]["/cloud/api/v1.0"]["body"] = "{\"code\": 403, \"msg\": \"refused\"}";
  test::Control("POST", "config", cfg);
  std::string bytes;
  QueuedClip clip = MakeClip(1700000400000, bytes);
  CUploadQueue queue(m_journal);
  ASSERT_TRUE(queue.Add(clip));
  CCutVideoServices services(nullptr);
  for (int pass = 0; pass < 3; ++pass) RunUploadQueuePass(queue, services, Utf8ToWide(m_session.userId));
  EXPECT_EQ(1, Registrations());
  EXPECT_EQ(5u, MkblkPaths().size()) << "uploaded once";
  ASSERT_EQ(1u, queue.Refused().size());
  EXPECT_EQ(403, queue.Refused()[0].lastCode);
  EXPECT_TRUE(FileExists(clip.localFile));
  // Still listed after a restart.
  CUploadQueue reopened(m_journal);
  ASSERT_TRUE(reopened.Load());
  EXPECT_EQ(1u, reopened.Refused().size());
  RemoveFile(clip.localFile);
}

}  // namespace
}  // namespace vorlix

// The upload queue over a fake storage and service: where a clip stands after each kind of failure,
// what a later pass sends again, and that the journal on disk is always the last change made, whatever
// write the program was stopped at.
#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "base/FileSystem.h"
#include "base/TextConv.h"
#include "config/Settings.h"
#include "recording/CCutVideoJob.h"
#include "recording/UploadQueue.h"
#include "recording/UploadQueueResume.h"
#include "shell/WindowMessages.h"

namespace vorlix {
namespace {

constexpr int64_t kNow = 1700000000000;
constexpr int kBlocks = 4;

// A storage of kBlocks blocks per clip that may fail at one block, and a service that answers a code.
class FakeCloud : public ICutVideoSeams {
 public:
  int failBlock = -1;       // block index that fails once
  int failCode = 503;
  std::function<int(int)> registration = [](int) { return 200; };
  std::vector<int> blocksSent;  // every block index sent, across attempts
  std::vector<size_t> resumedWith;  // contexts handed in per upload
  int registrations = 0;
  int64_t now = kNow;

  int64_t ProbeDurationMs(const std::wstring&) override { return 0; }
  void RunCut(const std::string&) override {}
  int Upload(const std::string&, const std::wstring&, const net::BlockProgress&, net::PutResult&) override {
    ADD_FAILURE() << "a queued clip is sent through the resuming upload";
    return 500;
  }
  int UploadResuming(const std::string& key, const std::wstring& file, const std::vector<std::string>& confirmed,
                     const std::function<void(int, const std::string&)>& blockDone, const net::BlockProgress& notify,
                     net::PutResult& result) override {
    if (!FileExists(file)) return net::kCloudLocalFileError;
    resumedWith.push_back(confirmed.size());
    const int64_t size = FileSize(file), block = size / kBlocks;
    for (int i = 0; i < static_cast<int>(confirmed.size()); ++i) {
      EXPECT_EQ("ctx" + std::to_string(i), confirmed[static_cast<size_t>(i)]);
      notify(i, block, block);
    }
    for (int i = static_cast<int>(confirmed.size()); i < kBlocks; ++i) {
      if (i == failBlock) {
        failBlock = -1;
        return failCode;
      }
      blocksSent.push_back(i);
      notify(i, block, block);
      blockDone(i, "ctx" + std::to_string(i));
    }
    result.key = key;
    return 200;
  }
  int RegisterCloudVideo(const std::string&) override { return registration(registrations++); }
  void ReportUploadEvent() override {}
  std::string CdnBaseUrl() override { return "http://cdn.test/"; }
  void Post(unsigned message, uintptr_t wParam, intptr_t lParam) override {
    if (message == WM_UPLOAD_PROGRESS) lastPercent = static_cast<int>(wParam);
    posted.push_back({message, static_cast<int>(wParam), static_cast<int>(lParam)});
  }
  struct Posted {
    unsigned id;
    int w, l;
    bool operator==(const Posted& o) const { return id == o.id && w == o.w && l == o.l; }
  };
  std::vector<Posted> posted;
  void PrintOut(const std::string&) override {}
  int64_t NowMs() override { return now; }
  int lastPercent = -1;
};

class UploadQueue : public ::testing::Test {
 protected:
  void SetUp() override {
    m_folder = GetAppDirectory() + L"upload_queue_" +
               Utf8ToWide(::testing::UnitTest::GetInstance()->current_test_info()->name());
    CreateDirectories(m_folder);
    m_journal = m_folder + PathSeparator() + L"upload-queue.journal";
    RemoveFile(m_journal);
    m_data.videoFolder = m_folder;
    m_data.userId = L"100001";
  }
  // A clip of 400 bytes on disk, queued as cut.
  QueuedClip MakeClip(const std::string& name) {
    QueuedClip clip;
    clip.key = name;
    clip.localFile = m_folder + PathSeparator() + Utf8ToWide(name);
    clip.momentMs = kNow + 90000;
    clip.segmentStart = static_cast<int32_t>(kNow / 1000);
    clip.duration = 120;
    clip.size = 400;
    WriteWholeFile(clip.localFile, std::string(400, 'v'));
    return clip;
  }
  QueuedClip Stored(CUploadQueue& queue, const std::string& key) {
    QueuedClip clip;
    EXPECT_TRUE(queue.Find(key, clip)) << key;
    return clip;
  }
  std::wstring m_folder, m_journal;
  SessionData m_data;
};

TEST_F(UploadQueue, StorageFaultThenResumeSendsOnlyTheMissingBlocksAndRemovesTheClip) {
  FakeCloud cloud;
  cloud.failBlock = 2;
  CUploadQueue queue(m_journal);
  QueuedClip clip = MakeClip("100001_1700000090.mp4");
  ASSERT_TRUE(queue.Add(clip));
  EXPECT_EQ(EQueuedState::kCut, Stored(queue, clip.key).state);

  CCutVideoJob job(m_data, cloud, nullptr, &queue);
  EXPECT_FALSE(job.DeliverQueued(clip.key));
  QueuedClip stored = Stored(queue, clip.key);
  EXPECT_EQ(EQueuedState::kUploading, stored.state);
  EXPECT_EQ((std::vector<std::string>{"ctx0", "ctx1"}), stored.contexts);
  EXPECT_EQ(1, stored.attempts);
  EXPECT_EQ(kNow + RetryDelayMs(1), stored.nextAttemptMs);
  EXPECT_TRUE(FileExists(clip.localFile));
  EXPECT_EQ(0, cloud.registrations);
  // Not before its back-off is over.
  EXPECT_TRUE(queue.Due(kNow + RetryDelayMs(1) - 1).empty());
  ASSERT_EQ(1u, queue.Due(kNow + RetryDelayMs(1)).size());

  // As after a restart: a new queue reads the journal, a new job resumes at block 2.
  CUploadQueue reopened(m_journal);
  ASSERT_TRUE(reopened.Load());
  cloud.now += RetryDelayMs(1);
  // The queue names the file: a job of another session (another video folder) finds it all the same.
  CCutVideoJob later(SessionData(), cloud, nullptr, &reopened);
  EXPECT_TRUE(later.DeliverQueued(clip.key));
  EXPECT_EQ((std::vector<int>{0, 1, 2, 3}), cloud.blocksSent);
  EXPECT_EQ((std::vector<size_t>{0, 2}), cloud.resumedWith);
  EXPECT_EQ(100, cloud.lastPercent);
  EXPECT_EQ(1, cloud.registrations);
  EXPECT_FALSE(FileExists(clip.localFile));
  EXPECT_TRUE(reopened.All().empty());
  CUploadQueue again(m_journal);
  ASSERT_TRUE(again.Load());
  EXPECT_TRUE(again.All().empty());
}

TEST_F(UploadQueue, EachFailureLeavesTheClipWhereARetryCanFinishIt) {
  struct Case {
    const char* name;
    int failBlock;           // storage fault at this block (-1: none)
    int storageCode;
    int registrationCode;    // first answer of the service
    EQueuedState state;      // after the first pass
    size_t contexts;
    bool retried;            // a later pass finishes it
  };
  const Case cases[] = {
      {"network drop at block 1", 1, -7, 200, EQueuedState::kUploading, 1, true},
      {"storage busy at block 0", 0, 503, 200, EQueuedState::kCut, 0, true},
      {"block contexts expired", 3, 701, 200, EQueuedState::kCut, 0, true},
      {"storage refuses the token", 0, 401, 200, EQueuedState::kRefused, 0, false},
      {"service unreachable", -1, 0, -6, EQueuedState::kUploaded, 4, true},
      {"service error", -1, 0, 500, EQueuedState::kUploaded, 4, true},
      {"service refuses the clip", -1, 0, 403, EQueuedState::kRefused, 4, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RemoveFile(m_journal);
    FakeCloud cloud;
    cloud.failBlock = c.failBlock;
    cloud.failCode = c.storageCode;
    cloud.registration = [&](int n) { return n == 0 ? c.registrationCode : 200; };
    CUploadQueue queue(m_journal);
    QueuedClip clip = MakeClip("100001_1700000090.mp4");
    ASSERT_TRUE(queue.Add(clip));
    CCutVideoJob job(m_data, cloud, nullptr, &queue);
    EXPECT_FALSE(job.DeliverQueued(clip.key));
    QueuedClip stored = Stored(queue, clip.key);
    EXPECT_EQ(c.state, stored.state) << QueuedStateName(stored.state);
    EXPECT_EQ(c.contexts, stored.contexts.size());
    EXPECT_TRUE(FileExists(clip.localFile));

    // Well after any back-off.
    cloud.now += 24LL * 3600 * 1000;
    const int registrationsBefore = cloud.registrations;
    EXPECT_EQ(c.retried, job.DeliverQueued(clip.key));
    if (c.retried) {
      EXPECT_FALSE(FileExists(clip.localFile));
      EXPECT_TRUE(queue.All().empty());
      EXPECT_EQ(registrationsBefore + 1, cloud.registrations);
    } else {
      // Listed, kept, and never sent again.
      EXPECT_EQ(1u, queue.Refused().size());
      EXPECT_TRUE(queue.Due(cloud.now).empty());
      EXPECT_EQ(0, queue.Waiting());
      EXPECT_EQ(registrationsBefore, cloud.registrations);
      EXPECT_TRUE(FileExists(clip.localFile));
    }
  }
}

TEST_F(UploadQueue, BackOffDoublesUpToItsCapAndOnlyLastingRefusalsAreFinal) {
  EXPECT_EQ(30000, RetryDelayMs(1));
  EXPECT_EQ(60000, RetryDelayMs(2));
  EXPECT_EQ(120000, RetryDelayMs(3));
  EXPECT_EQ(30 * 60 * 1000, RetryDelayMs(7));
  EXPECT_EQ(30 * 60 * 1000, RetryDelayMs(1000));
  const struct {
    int code;
    bool refused;
  } codes[] = {{400, true}, {401, true}, {403, true}, {413, true}, {net::kCloudLocalFileError, true},
               {408, false}, {429, false}, {500, false}, {503, false}, {599, false}, {701, false},
               {-7, false}, {-28, false}, {0, false}, {-5001, false}, {net::kCloudBadAnswer, false}};
  for (const auto& c : codes) EXPECT_EQ(c.refused, IsRefusedForGood(c.code)) << c.code;

  // Each further failure waits longer.
  CUploadQueue queue(m_journal);
  QueuedClip clip = MakeClip("100001_1700000091.mp4");
  ASSERT_TRUE(queue.Add(clip));
  int64_t now = kNow;
  for (int attempt = 1; attempt <= 3; ++attempt) {
    ASSERT_TRUE(queue.Failed(clip.key, 503, now));
    EXPECT_EQ(now + RetryDelayMs(attempt), Stored(queue, clip.key).nextAttemptMs);
    now += RetryDelayMs(attempt);
  }
}

TEST_F(UploadQueue, ACutClipRemovedFromDiskIsRefusedNotRetried) {
  FakeCloud cloud;
  CUploadQueue queue(m_journal);
  QueuedClip clip = MakeClip("100001_1700000092.mp4");
  ASSERT_TRUE(queue.Add(clip));
  RemoveFile(clip.localFile);
  CCutVideoJob job(m_data, cloud, nullptr, &queue);
  EXPECT_FALSE(job.DeliverQueued(clip.key));
  EXPECT_EQ(EQueuedState::kRefused, Stored(queue, clip.key).state);
}

TEST_F(UploadQueue, AClaimedClipIsNotWorkedOnTwice) {
  FakeCloud cloud;
  CUploadQueue queue(m_journal);
  QueuedClip clip = MakeClip("100001_1700000093.mp4");
  ASSERT_TRUE(queue.Add(clip));
  ASSERT_TRUE(queue.Claim(clip.key));
  EXPECT_TRUE(queue.Due(kNow).empty());
  CCutVideoJob job(m_data, cloud, nullptr, &queue);
  EXPECT_FALSE(job.DeliverQueued(clip.key));
  EXPECT_TRUE(cloud.resumedWith.empty());
  queue.Release(clip.key);
  EXPECT_TRUE(job.DeliverQueued(clip.key));
}

TEST_F(UploadQueue, APassFinishesWhatIsDueListsTheRefusedAndWaitsWhileHeld) {
  FakeCloud cloud;
  // The second clip's registration is refused for good, the first one's goes through.
  cloud.registration = [](int n) { return n == 1 ? 403 : 200; };
  CUploadQueue queue(m_journal);
  QueuedClip a = MakeClip("100001_1700000096.mp4"), b = MakeClip("100001_1700000097.mp4");
  ASSERT_TRUE(queue.Add(a));
  ASSERT_TRUE(queue.Add(b));

  ++UploadQueueHolds();
  QueuePassOutcome held = RunUploadQueuePass(queue, cloud, L"100001");
  --UploadQueueHolds();
  EXPECT_EQ(0, held.tried);
  EXPECT_TRUE(cloud.resumedWith.empty());

  QueuePassOutcome outcome = RunUploadQueuePass(queue, cloud, L"100001");
  EXPECT_EQ(2, outcome.tried);
  EXPECT_EQ(1, outcome.registered);
  EXPECT_EQ(0, outcome.waiting);
  ASSERT_EQ(1u, queue.Refused().size());
  EXPECT_EQ(b.key, queue.Refused()[0].key);
  EXPECT_FALSE(FileExists(a.localFile));
  EXPECT_TRUE(FileExists(b.localFile));
  // The window hears how many wait, each clip's percent under that count, the saved clip, the end.
  ASSERT_FALSE(cloud.posted.empty());
  EXPECT_EQ((FakeCloud::Posted{WM_UPLOAD_QUEUE, 2, 0}), cloud.posted.front());
  EXPECT_EQ((FakeCloud::Posted{WM_UPLOAD_QUEUE, 0, -1}), cloud.posted.back());
  int saved = 0, percents = 0;
  for (const auto& p : cloud.posted) {
    saved += p.id == WM_CLIP_SAVED;
    percents += p.id == WM_UPLOAD_QUEUE && p.l == 100;
    EXPECT_NE(WM_UPLOAD_PROGRESS, p.id) << "the session's progress belongs to the cut worker";
  }
  EXPECT_EQ(1, saved);
  EXPECT_EQ(2, percents);

  // The refused clip is not tried again, however late.
  cloud.now += 365LL * 24 * 3600 * 1000;
  EXPECT_EQ(0, RunUploadQueuePass(queue, cloud, L"100001").tried);
  EXPECT_EQ(2, cloud.registrations);
}

TEST(WaitingUploadsText, CountWithTheCurrentPercentAndNothingWhenNoneWaits) {
  EXPECT_EQ(L"3 个视频等待上传", WaitingUploadsText(3, -1));
  EXPECT_EQ(L"1 个视频等待上传 37%", WaitingUploadsText(1, 37));
  EXPECT_EQ(L"2 个视频等待上传 100%", WaitingUploadsText(2, 100));
  EXPECT_EQ(L"", WaitingUploadsText(0, 50));
  EXPECT_EQ(L"4 个视频等待上传", WaitingUploadsText(4, 101));
}

// Journal files that stop working at the n-th operation, as a killed program does; a write it is
// stopped in leaves half of its bytes.
class CDyingFiles : public IJournalFiles {
 public:
  explicit CDyingFiles(int liveOperations) : m_left(liveOperations) {}
  bool Read(const std::wstring& path, std::string& bytes) override { return RealJournalFiles().Read(path, bytes); }
  bool Write(const std::wstring& path, const std::string& bytes) override {
    if (m_left-- <= 0) {
      if (m_left == -1) RealJournalFiles().Write(path, bytes.substr(0, bytes.size() / 2));
      return false;
    }
    return RealJournalFiles().Write(path, bytes);
  }
  bool Replace(const std::wstring& from, const std::wstring& to) override {
    if (m_left-- <= 0) return false;
    return RealJournalFiles().Replace(from, to);
  }
  bool Dead() const { return m_left < 0; }

 private:
  int m_left;
};

TEST_F(UploadQueue, TheJournalSurvivesAKillAtAnyWrite) {
  // Two clips: one uploaded with a storage fault and registered, one refused by the service twice.
  for (int live = 0;; ++live) {
    SCOPED_TRACE("killed after " + std::to_string(live) + " file operations");
    RemoveFile(m_journal);
    RemoveFile(m_journal + L".new");
    QueuedClip a = MakeClip("100001_1700000094.mp4"), b = MakeClip("100001_1700000095.mp4");
    FakeCloud cloud;
    cloud.failBlock = 2;
    cloud.registration = [](int n) { return n == 0 ? 200 : 500; };
    CDyingFiles dying(live);
    CUploadQueue queue(m_journal, dying);
    CCutVideoJob job(m_data, cloud, nullptr, &queue);
    const bool addedA = queue.Add(a), addedB = addedA && queue.Add(b);
    job.DeliverQueued(a.key);
    cloud.now += RetryDelayMs(1);
    job.DeliverQueued(a.key);
    job.DeliverQueued(b.key);

    // What the disk holds is exactly the last change that went through.
    CUploadQueue reopened(m_journal);
    ASSERT_TRUE(reopened.Load());
    EXPECT_EQ(SerializeJournal(queue.All()), SerializeJournal(reopened.All()));
    // Every clip the journal no longer holds was registered, and its file is gone only then.
    for (const QueuedClip* clip : {&a, &b}) {
      QueuedClip stored;
      if (!(clip == &a ? addedA : addedB)) {
        EXPECT_FALSE(reopened.Find(clip->key, stored));
        EXPECT_TRUE(FileExists(clip->localFile));
      } else if (!reopened.Find(clip->key, stored)) {
        EXPECT_GE(cloud.registrations, 1);
        EXPECT_EQ(a.key, clip->key);
      } else if (stored.state != EQueuedState::kRegistered) {
        EXPECT_TRUE(FileExists(clip->localFile)) << clip->key << " " << QueuedStateName(stored.state);
      }
    }
    // The next start finishes both with working files and a working service.
    FakeCloud next;
    next.now = kNow + 24LL * 3600 * 1000;
    CCutVideoJob resumed(m_data, next, nullptr, &reopened);
    for (const QueuedClip& clip : reopened.Due(next.now)) EXPECT_TRUE(resumed.DeliverQueued(clip.key)) << clip.key;
    EXPECT_TRUE(reopened.All().empty());
    EXPECT_EQ(addedA, !FileExists(a.localFile));
    EXPECT_EQ(addedB, !FileExists(b.localFile));
    // Blocks confirmed before the kill are not sent again.
    for (size_t sent : next.resumedWith) EXPECT_LE(sent, 4u);
    if (!dying.Dead()) break;
  }
}

}  // namespace
}  // namespace vorlix

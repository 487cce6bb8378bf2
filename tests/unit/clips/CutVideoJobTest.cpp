// The cut worker's run over a stopped session with fake ffmpeg, storage and service: which clips are
// made, what the main window is told, and which files stay on disk.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <set>

#include "base/FileSystem.h"
#include "base/TextConv.h"
#include "config/Settings.h"
#include "recording/CCutVideoJob.h"
#include "recording/ClipPlanner.h"
#include "recording/UploadQueueResume.h"
#include "shell/WindowMessages.h"

namespace vorlix {
namespace {

constexpr int64_t kLaunch = 1700000000000;  // ms since 1970

struct Message {
  unsigned id;
  uintptr_t w;
  intptr_t l;
  bool operator==(const Message& o) const { return id == o.id && w == o.w && l == o.l; }
};
std::ostream& operator<<(std::ostream& os, const Message& m) { return os << m.id << "(" << m.w << "," << m.l << ")"; }

class FakeSeams : public ICutVideoSeams {
 public:
  std::map<std::wstring, int64_t> durations;
  std::vector<std::wstring> probed;
  std::vector<std::string> cuts;
  std::vector<std::string> uploadKeys;
  std::vector<std::string> records;
  std::vector<Message> messages;
  std::string out;
  int events = 0;
  // Whether the n-th cut (0-based) writes its clip.
  std::function<bool(int)> cutWrites = [](int) { return true; };
  // The n-th upload (0-based): sends halves of one block by default and succeeds.
  std::function<int(int, const net::BlockProgress&, int64_t)> upload = [](int, const net::BlockProgress& notify,
                                                                          int64_t size) {
    notify(0, size, size - size / 2);
    notify(0, size, size);
    return 200;
  };
  std::function<int(int)> registration = [](int) { return 200; };
  std::mutex lock;
  std::condition_variable cutDone;
  // Waits until the given number of cuts has started.
  bool WaitCuts(size_t count) {
    std::unique_lock<std::mutex> hold(lock);
    return cutDone.wait_for(hold, std::chrono::seconds(5), [&] { return cuts.size() >= count; });
  }

  int64_t ProbeDurationMs(const std::wstring& path) override {
    probed.push_back(path);
    auto it = durations.find(path);
    return it == durations.end() ? 0 : it->second;
  }
  // Called on the job's thread or on its helper for the next clip.
  void RunCut(const std::string& command) override {
    int n = 0;
    {
      std::lock_guard<std::mutex> hold(lock);
      n = static_cast<int>(cuts.size());
      cuts.push_back(command);
    }
    cutDone.notify_all();
    if (!cutWrites(n)) return;
    // The clip path is the last quoted text: ... "<clip>" -y
    size_t close = command.rfind('"');
    size_t open = command.rfind('"', close - 1);
    // 400 bytes, so halves and quarters are whole percentages.
    std::string bytes = "clip bytes of " + command;
    bytes.resize(400, '.');
    WriteWholeFile(Utf8ToWide(command.substr(open + 1, close - open - 1)), bytes);
  }
  int Upload(const std::string& key, const std::wstring& file, const net::BlockProgress& notify,
             net::PutResult& result) override {
    const int n = static_cast<int>(uploadKeys.size());
    uploadKeys.push_back(key);
    result.key = key;
    result.hash = "Fhash" + std::to_string(n);
    return upload(n, notify, FileSize(file));
  }
  int RegisterCloudVideo(const std::string& json) override {
    records.push_back(json);
    return registration(static_cast<int>(records.size()) - 1);
  }
  void ReportUploadEvent() override { ++events; }
  std::string CdnBaseUrl() override { return "http://cdn.test/cdn/"; }
  void Post(unsigned id, uintptr_t w, intptr_t l) override { messages.push_back({id, w, l}); }
  void PrintOut(const std::string& text) override { out += text; }

  std::vector<uintptr_t> Progress() const {
    std::vector<uintptr_t> p;
    for (const Message& m : messages)
      if (m.id == WM_UPLOAD_PROGRESS) p.push_back(m.w);
    return p;
  }
  Message Last() const { return messages.empty() ? Message{0, 0, 0} : messages.back(); }
};

class CutVideoJob : public ::testing::Test {
 protected:
  void SetUp() override {
    m_folder = GetAppDirectory() + L"clip_job_" +
               Utf8ToWide(::testing::UnitTest::GetInstance()->current_test_info()->name());
    CreateDirectories(m_folder);
    m_cancel = std::make_shared<std::atomic<bool>>(false);
    m_data.videoFolder = m_folder;
    m_data.userId = L"100001";
  }
  void TearDown() override {
    for (const RecordSegment& s : m_data.segments) RemoveFile(RecordingPath(m_folder, s));
    for (int64_t m : m_data.momentsMs) RemoveFile(ClipPath(m_folder, ClipFileName(L"100001", m)));
  }
  // A recorder run launched startMs after kLaunch, lasting spanS seconds, whose file holds durationMs and
  // exists on disk (unless durationMs is 0).
  void AddSegment(int64_t startMs, int spanS, int64_t durationMs) {
    RecordSegment s;
    s.startMs = kLaunch + startMs;
    s.stopMs = s.startMs + int64_t(spanS) * 1000;
    s.nStartTime = MomentSeconds(s.startMs);
    s.nStopTime = MomentSeconds(s.stopMs);
    s.name = L"100001_original_" + std::to_wstring(s.nStartTime);
    m_data.segments.push_back(s);
    const std::wstring path = RecordingPath(m_folder, s);
    if (durationMs > 0) {
      WriteWholeFile(path, "recording");
      m_fake.durations[path] = durationMs;
    }
  }
  void Mark(int64_t afterLaunchMs) { m_data.momentsMs.push_back(kLaunch + afterLaunchMs); }
  std::wstring Clip(size_t mark) const { return ClipPath(m_folder, ClipFileName(L"100001", m_data.momentsMs[mark])); }
  bool Recording(size_t segment) const { return FileExists(RecordingPath(m_folder, m_data.segments[segment])); }
  CCutVideoJob::Outcome Run() {
    CCutVideoJob job(m_data, m_fake, m_cancel);
    return job.Run();
  }

  std::wstring m_folder;
  SessionData m_data;
  FakeSeams m_fake;
  std::shared_ptr<std::atomic<bool>> m_cancel;
};

TEST_F(CutVideoJob, TwoMarksAcrossAnHourlyRestartAreCutUploadedAndRegistered) {
  AddSegment(0, 3605, 3602000);        // 3 s until the first frame
  AddSegment(3605000, 120, 117500);    // 2.5 s
  Mark(3000 + 125500);                 // 125.5 s into the first recording
  Mark(3605000 + 2500 + 45250);        // 45.25 s into the second
  CCutVideoJob::Outcome o = Run();

  ASSERT_EQ(m_fake.probed.size(), 2u);  // each recording once
  ASSERT_EQ(m_fake.cuts.size(), 2u);
  const std::string sep = WideToUtf8(std::wstring(1, PathSeparator()));
  const std::string folder = WideToUtf8(m_folder);
  EXPECT_EQ(m_fake.cuts[0], "ffmpeg -ss 65.500 -i \"" + folder + sep + "100001_original_1700000000.mp4\" -t 60.000 "
                            "-c:v copy -c:a copy \"" + folder + sep + "100001_1700000128.mp4\" -y");
  EXPECT_EQ(m_fake.cuts[1], "ffmpeg -ss 0.000 -i \"" + folder + sep + "100001_original_1700003605.mp4\" -t 45.250 "
                            "-c:v copy -c:a copy \"" + folder + sep + "100001_1700003652.mp4\" -y");
  EXPECT_EQ(m_fake.uploadKeys, (std::vector<std::string>{"100001_1700000128.mp4", "100001_1700003652.mp4"}));
  ASSERT_EQ(m_fake.records.size(), 2u);
  EXPECT_NE(m_fake.records[0].find("\"duration\" : \"60\""), std::string::npos);
  EXPECT_NE(m_fake.records[0].find("\"url\" : \"http://cdn.test/cdn/100001_1700000128.mp4\""), std::string::npos);
  EXPECT_NE(m_fake.records[1].find("\"duration\" : \"47\""), std::string::npos);  // from launch, whole seconds
  EXPECT_NE(m_fake.records[1].find("\"title\" : \"1700003652\""), std::string::npos);

  const std::vector<Message> expected = {
      {WM_CUT_BEGIN, 2, 0},       {WM_CUT_CLIP_INDEX, 1, 2}, {WM_UPLOAD_PROGRESS, 50, 0}, {WM_UPLOAD_PROGRESS, 100, 0},
      {WM_CLIP_SAVED, 0, 0},      {WM_CUT_CLIP_INDEX, 2, 2}, {WM_UPLOAD_PROGRESS, 50, 0}, {WM_UPLOAD_PROGRESS, 100, 0},
      {WM_CLIP_SAVED, 0, 0},      {WM_CUT_FINISHED, 2, 0}};
  EXPECT_EQ(m_fake.messages, expected);
  EXPECT_EQ(m_fake.events, 2);
  EXPECT_EQ(m_fake.out,
            "upload file video-cloud:100001_1700000128.mp4 success.\n\nkey:\t100001_1700000128.mp4\nhash:\tFhash0\n200"
            "upload file video-cloud:100001_1700003652.mp4 success.\n\nkey:\t100001_1700003652.mp4\nhash:\tFhash1\n200");
  EXPECT_EQ(o.uploaded, 2);
  EXPECT_EQ(o.kept, 0);
  EXPECT_FALSE(FileExists(Clip(0)));
  EXPECT_FALSE(FileExists(Clip(1)));
  EXPECT_FALSE(Recording(0));  // every recording of the session, not only the first
  EXPECT_FALSE(Recording(1));
}

TEST_F(CutVideoJob, MomentsOutsideEveryRecordingAreDroppedBeforeCounting) {
  AddSegment(0, 300, 297000);
  Mark(-7200000);  // left over from a session ended by logout
  Mark(-5000);
  Mark(100000);
  Mark(200000);
  CCutVideoJob::Outcome o = Run();
  EXPECT_EQ(o.planned, 2);
  ASSERT_FALSE(m_fake.messages.empty());
  EXPECT_EQ(m_fake.messages.front(), (Message{WM_CUT_BEGIN, 2, 0}));
  EXPECT_EQ(m_fake.cuts.size(), 2u);

  // Replayed through the main window's arithmetic, the bar ends full.
  CCutProgress bar;
  int shown = 0;
  for (const Message& m : m_fake.messages) {
    if (m.id == WM_CUT_BEGIN) bar.OnCutBegin(int(m.w));
    if (m.id == WM_CUT_CLIP_INDEX) bar.OnClipIndex(int(m.w), int(m.l));
    if (m.id == WM_UPLOAD_PROGRESS) shown = bar.OnProgerssMsg(int(m.w));
  }
  EXPECT_EQ(shown, 100);
  EXPECT_EQ(m_fake.Last(), (Message{WM_CUT_FINISHED, 2, 0}));
}

TEST_F(CutVideoJob, NothingToCutTouchesNoFile) {
  AddSegment(0, 300, 297000);
  // No mark at all, then only marks before the recording.
  for (int round = 0; round < 2; ++round) {
    m_fake.messages.clear();
    CCutVideoJob::Outcome o = Run();
    EXPECT_EQ(m_fake.messages, (std::vector<Message>{{WM_CUT_BEGIN, 0, 0}})) << round;
    EXPECT_EQ(o.planned, 0);
    EXPECT_TRUE(m_fake.cuts.empty());
    EXPECT_TRUE(Recording(0));
    Mark(-60000);
  }
}

TEST_F(CutVideoJob, CancelDuringTheThirdOfFiveFinishesItAndKeepsTheRecording) {
  AddSegment(0, 900, 897000);
  for (int i = 1; i <= 5; ++i) Mark(3000 + i * 100000);
  m_fake.upload = [this](int n, const net::BlockProgress& notify, int64_t size) {
    if (n == 2) *m_cancel = true;  // the user cancels while the third uploads
    notify(0, size, size);
    return 200;
  };
  CCutVideoJob::Outcome o = Run();
  EXPECT_EQ(m_fake.cuts.size(), 4u);  // the fourth was cut ahead while the third uploaded
  EXPECT_EQ(m_fake.uploadKeys.size(), 3u);
  EXPECT_EQ(m_fake.records.size(), 3u);
  EXPECT_EQ(m_fake.Last(), (Message{WM_CUT_FINISHED, 3, 0}));
  EXPECT_EQ(o.uploaded, 3);
  EXPECT_EQ(o.kept, 0);
  EXPECT_FALSE(FileExists(Clip(2)));
  EXPECT_FALSE(FileExists(Clip(3)));  // cut ahead, never handed over: not left behind
  EXPECT_FALSE(FileExists(Clip(4)));
  EXPECT_TRUE(Recording(0));  // marks four and five were never cut from it
}

TEST_F(CutVideoJob, WithAQueueAQuitAfterTheFirstOfThreeLosesNoneAndRegistersEachOnce) {
  AddSegment(0, 900, 897000);
  for (int i = 1; i <= 3; ++i) Mark(3000 + i * 100000);
  const std::wstring journal = m_folder + PathSeparator() + L"upload-queue.journal";
  RemoveFile(journal);
  CUploadQueue queue(journal);
  m_fake.upload = [this](int n, const net::BlockProgress& notify, int64_t size) {
    if (n == 0) *m_cancel = true;  // the program quits while the first uploads
    notify(0, size, size);
    return 200;
  };
  CCutVideoJob job(m_data, m_fake, m_cancel, &queue);
  CCutVideoJob::Outcome o = job.Run();
  EXPECT_EQ(1, o.uploaded);
  EXPECT_TRUE(Recording(0));  // the other two marks still need it
  {
    CUploadQueue left(journal);
    ASSERT_TRUE(left.Load());
    ASSERT_EQ(2u, left.All().size());
    for (const QueuedClip& clip : left.All()) EXPECT_EQ(EQueuedState::kPlanned, clip.state) << clip.key;
  }

  // The next start: a pass cuts and sends what was left, and nothing twice.
  CUploadQueue reopened(journal);
  ASSERT_TRUE(reopened.Load());
  const size_t cutsBefore = m_fake.cuts.size();
  QueuePassOutcome pass = RunUploadQueuePass(reopened, m_fake, L"100001");
  EXPECT_EQ(2, pass.registered);
  EXPECT_EQ(cutsBefore + 2, m_fake.cuts.size());
  ASSERT_EQ(3u, m_fake.uploadKeys.size());
  std::set<std::string> keys(m_fake.uploadKeys.begin(), m_fake.uploadKeys.end());
  EXPECT_EQ(3u, keys.size());
  EXPECT_EQ(3u, m_fake.records.size());
  EXPECT_TRUE(reopened.All().empty());
  for (size_t i = 0; i < 3; ++i) EXPECT_FALSE(FileExists(Clip(i))) << i;
  EXPECT_EQ(0, RunUploadQueuePass(reopened, m_fake, L"100001").tried);
  RemoveFile(journal);
}

TEST_F(CutVideoJob, TheNextClipIsCutWhileTheCurrentOneUploads) {
  AddSegment(0, 300, 297000);
  Mark(100000);
  Mark(200000);
  Mark(200500);  // same second as the one before: shares its file, so not cut ahead of its upload
  std::vector<size_t> cutsSeen;
  m_fake.upload = [&](int n, const net::BlockProgress& notify, int64_t size) {
    if (n == 0) {
      EXPECT_TRUE(m_fake.WaitCuts(2));
    }
    {
      std::lock_guard<std::mutex> hold(m_fake.lock);
      cutsSeen.push_back(m_fake.cuts.size());
    }
    notify(0, size, size);
    return 200;
  };
  Run();
  EXPECT_EQ(cutsSeen, (std::vector<size_t>{2, 2, 3}));
  EXPECT_EQ(m_fake.Last(), (Message{WM_CUT_FINISHED, 3, 0}));
}

TEST_F(CutVideoJob, StorageFaultKeepsThatClipAndRegistersOnlyTheOthers) {
  AddSegment(0, 300, 297000);
  Mark(100000);
  Mark(200000);
  m_fake.upload = [](int n, const net::BlockProgress& notify, int64_t size) {
    notify(0, size, size / 2);
    if (n == 1) return 500;
    notify(0, size, size);
    return 200;
  };
  CCutVideoJob::Outcome o = Run();
  EXPECT_EQ(m_fake.uploadKeys.size(), 2u);
  ASSERT_EQ(m_fake.records.size(), 1u);
  EXPECT_NE(m_fake.records[0].find(WideToUtf8(ClipFileName(L"100001", m_data.momentsMs[0]))), std::string::npos);
  EXPECT_EQ(m_fake.Last(), (Message{WM_CUT_FINISHED, 1, 1}));
  EXPECT_EQ(o.kept, 1);
  EXPECT_FALSE(FileExists(Clip(0)));
  EXPECT_TRUE(FileExists(Clip(1)));
  EXPECT_EQ(m_fake.events, 2);  // reported after failure too
  EXPECT_NE(m_fake.out.find("upload file video-cloud:100001_1700000200.mp4 error.\n"), std::string::npos);
  // The kept clip holds the moment, so the recording is not needed any more.
  EXPECT_FALSE(Recording(0));
}

TEST_F(CutVideoJob, RefusedRegistrationKeepsTheClipOnDisk) {
  AddSegment(0, 300, 297000);
  Mark(100000);
  m_fake.registration = [](int) { return 401; };
  CCutVideoJob::Outcome o = Run();
  EXPECT_EQ(m_fake.records.size(), 1u);
  EXPECT_EQ(m_fake.Last(), (Message{WM_CUT_FINISHED, 0, 1}));
  EXPECT_EQ(o.kept, 1);
  EXPECT_TRUE(FileExists(Clip(0)));
  EXPECT_NE(m_fake.out.find("success.\n\n"), std::string::npos);
  EXPECT_EQ(m_fake.out.substr(m_fake.out.size() - 3), "401");
}

TEST_F(CutVideoJob, ACutWithoutAFileIsNotUploadedAndItsRecordingStays) {
  AddSegment(0, 300, 297000);
  AddSegment(300000, 300, 297000);
  Mark(200000);
  Mark(500000);
  m_fake.cutWrites = [](int n) { return n != 0; };  // ffmpeg failed on the first
  CCutVideoJob::Outcome o = Run();
  EXPECT_EQ(m_fake.cuts.size(), 2u);
  EXPECT_EQ(m_fake.uploadKeys, (std::vector<std::string>{WideToUtf8(ClipFileName(L"100001", m_data.momentsMs[1]))}));
  EXPECT_EQ(m_fake.events, 2);
  EXPECT_EQ(m_fake.Last(), (Message{WM_CUT_FINISHED, 1, 0}));
  EXPECT_EQ(o.recordingsKept, (std::vector<std::wstring>{RecordingPath(m_folder, m_data.segments[0])}));
  EXPECT_TRUE(Recording(0));
  EXPECT_FALSE(Recording(1));
}

TEST_F(CutVideoJob, AnUnreadableRecordingFailsItsMarksAndIsNeverDeleted) {
  AddSegment(0, 300, 297000);
  AddSegment(300000, 300, 0);  // ffmpeg cannot read it
  WriteWholeFile(RecordingPath(m_folder, m_data.segments[1]), "not a video");
  Mark(100000);
  Mark(450000);
  m_fake.cutWrites = [](int n) { return n != 1; };
  CCutVideoJob::Outcome o = Run();
  ASSERT_EQ(m_fake.cuts.size(), 2u);
  EXPECT_NE(m_fake.cuts[1].find(WideToUtf8(RecordingPath(m_folder, m_data.segments[1]))), std::string::npos);
  EXPECT_EQ(m_fake.messages.front(), (Message{WM_CUT_BEGIN, 2, 0}));
  // The final prompt can say that one mark gave nothing.
  EXPECT_EQ(m_fake.Last(), (Message{WM_CUT_FINISHED, 1, 0}));
  EXPECT_FALSE(Recording(0));
  EXPECT_TRUE(Recording(1));
  EXPECT_EQ(o.recordingsKept.size(), 1u);
}

TEST_F(CutVideoJob, WithoutFfmpegEveryMarkFailsVisiblyAndNothingIsDeleted) {
  AddSegment(0, 300, 0);
  AddSegment(300000, 300, 0);
  WriteWholeFile(RecordingPath(m_folder, m_data.segments[0]), "recording");
  WriteWholeFile(RecordingPath(m_folder, m_data.segments[1]), "recording");
  Mark(-60000);  // left over from an earlier session: dropped
  Mark(100000);
  Mark(450000);
  m_fake.cutWrites = [](int) { return false; };
  Run();
  EXPECT_EQ(m_fake.messages.front(), (Message{WM_CUT_BEGIN, 2, 0}));
  EXPECT_EQ(m_fake.Last(), (Message{WM_CUT_FINISHED, 0, 0}));
  EXPECT_TRUE(m_fake.uploadKeys.empty());
  EXPECT_TRUE(Recording(0));
  EXPECT_TRUE(Recording(1));
}

TEST_F(CutVideoJob, EachUploadStartsWithAnEmptyProgressTable) {
  AddSegment(0, 300, 297000);
  Mark(100000);
  Mark(200000);
  m_fake.upload = [](int n, const net::BlockProgress& notify, int64_t size) {
    if (n == 0) {
      notify(0, size, size / 2);
      notify(1, size, size / 4);  // then the connection broke
      return -7;
    }
    notify(0, size, size / 4);
    notify(0, size, size);
    return 200;
  };
  Run();
  EXPECT_EQ(m_fake.Progress(), (std::vector<uintptr_t>{50, 75, 25, 100}));
  EXPECT_EQ(m_fake.Last(), (Message{WM_CUT_FINISHED, 1, 1}));
}

TEST_F(CutVideoJob, TwoMarksInOneSecondShareAClipName) {
  AddSegment(0, 300, 297000);
  Mark(100100);
  Mark(100900);
  // The first upload fails, so its clip is kept; the second cut rewrites that file and gets through.
  m_fake.upload = [](int n, const net::BlockProgress& notify, int64_t size) { return n == 0 ? 500 : 200; };
  CCutVideoJob::Outcome o = Run();
  EXPECT_EQ(m_fake.cuts.size(), 2u);
  EXPECT_EQ(m_fake.uploadKeys[0], m_fake.uploadKeys[1]);
  EXPECT_EQ(m_fake.Last(), (Message{WM_CUT_FINISHED, 1, 0}));
  EXPECT_EQ(o.kept, 0);
  EXPECT_FALSE(FileExists(Clip(0)));
  // The first mark's own clip is gone, so its recording is not deleted.
  EXPECT_TRUE(Recording(0));
}

}  // namespace
}  // namespace vorlix

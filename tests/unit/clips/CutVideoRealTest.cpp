// The cut job with its real surroundings: ffmpeg cutting a real recording, the cloud-storage client and
// the registration request against the development service (VORLIX_SERVICE_URL).
#include <gtest/gtest.h>

#include <map>

#include <ctime>

#include "net/Sha1.h"
#include "recording/CCutVideoServices.h"
#include "recording/ClipPlanner.h"
#include "shell/WindowMessages.h"
#include "unit/clips/ClipRecording.h"

namespace vorlix {
namespace {

using namespace cliptest;

// The real services, keeping a copy of each clip as it was handed to the storage.
class CRecordingServices : public CCutVideoServices {
 public:
  CRecordingServices() : CCutVideoServices([this](unsigned id, uintptr_t w, intptr_t l) { messages.push_back({id, w}); }) {}
  int Upload(const std::string& key, const std::wstring& file, const net::BlockProgress& notify,
             net::PutResult& result) override {
    ReadWholeFile(file, sent[key]);
    return CCutVideoServices::Upload(key, file, notify, result);
  }
  std::map<std::string, std::string> sent;
  std::vector<std::pair<unsigned, uintptr_t>> messages;
};

class CutVideoReal : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(test::ServiceUrl().empty());
    test::Control("POST", "reset");
    m_session = LogIn("13800138021");
    m_folder = Folder(L"clip_real_" + Utf8ToWide(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    m_durationMs = GetVideoDurationMs(SourceRecording());
    ASSERT_GT(m_durationMs, 74000);

    // Launched 1.5 s before its first frame, stopped at its last; marks 30.45 s and 70.35 s into the file.
    m_launchMs = (int64_t(GetUnixTime()) - 600) * 1000 + 250;
    RecordSegment s;
    s.startMs = m_launchMs;
    s.stopMs = m_launchMs + 1500 + m_durationMs;
    s.nStartTime = MomentSeconds(s.startMs);
    s.nStopTime = MomentSeconds(s.stopMs);
    s.name = Utf8ToWide(m_session.userId) + L"_original_" + std::to_wstring(s.nStartTime);
    m_recording = Join(m_folder, s.name + L".mp4");
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(SourceRecording(), bytes));
    ASSERT_TRUE(WriteWholeFile(m_recording, bytes));
    m_data.videoFolder = m_folder;
    m_data.userId = Utf8ToWide(m_session.userId);
    m_data.segments.push_back(s);
    m_data.momentsMs = {m_launchMs + 1500 + 30450, m_launchMs + 1500 + 70350};
    for (int64_t m : m_data.momentsMs) m_keys.push_back(WideToUtf8(ClipFileName(m_data.userId, m)));
  }
  void TearDown() override {
    RemoveFile(m_recording);
    for (const std::string& k : m_keys) RemoveFile(Join(m_folder, Utf8ToWide(k)));
  }
  static int32_t GetUnixTime() { return static_cast<int32_t>(std::time(nullptr)); }

  plHttp::SessionValues m_session;
  std::wstring m_folder, m_recording;
  int64_t m_durationMs = 0, m_launchMs = 0;
  SessionData m_data;
  std::vector<std::string> m_keys;
};

TEST_F(CutVideoReal, TwoMarksAreStoredByteExactRegisteredAndEndOnTheirMarks) {
  CRecordingServices services;
  CCutVideoJob job(m_data, services, std::make_shared<std::atomic<bool>>(false));
  CCutVideoJob::Outcome o = job.Run();
  EXPECT_EQ(o.uploaded, 2);
  EXPECT_EQ(o.kept, 0);
  ASSERT_FALSE(services.messages.empty());
  EXPECT_EQ(services.messages.back(), std::make_pair(WM_CUT_FINISHED, uintptr_t(2)));

  Json::Value clips = test::Control("GET", "clips")["clips"];
  ASSERT_EQ(clips.size(), 2u);
  const char* durations[] = {"32", "60"};  // from the launch (1.5 s before the first frame), whole seconds
  const double lengths[] = {30.45, 60.0};
  const char* lastFrames[] = {"30.400", "70.300"};  // the frame shown at the mark (10 per second)
  for (int i = 0; i < 2; ++i) {
    SCOPED_TRACE(m_keys[i]);
    EXPECT_EQ(clips[i]["key"].asString(), m_keys[i]);
    EXPECT_EQ(clips[i]["duration"].asString(), durations[i]);
    EXPECT_EQ(clips[i]["user_id"].asString(), m_session.userId);
    const std::string stored = StoredObject(m_keys[i]);
    ASSERT_FALSE(stored.empty());
    EXPECT_TRUE(stored == services.sent[m_keys[i]]);  // byte for byte what was cut
    EXPECT_EQ(clips[i]["size"].asInt64(), static_cast<int64_t>(stored.size()));
    EXPECT_FALSE(FileExists(Join(m_folder, Utf8ToWide(m_keys[i]))));

    const std::wstring copy = Join(m_folder, L"stored.mp4");
    ASSERT_TRUE(WriteWholeFile(copy, stored));
    const double length = GetVideoDurationMs(copy) / 1000.0;
    EXPECT_GE(length, lengths[i] - 1.0);
    EXPECT_LE(length, lengths[i] + 1.0);
    // The clip's last frame is the recording's frame at its mark.
    // The clip's last frame is the recording's frame at its mark (compared by hashes of the decoded pictures).
    const std::string last = net::Sha1Hex(FrameAt(copy, "last", Join(m_folder, L"last.yuv")));
    const std::string atMark = net::Sha1Hex(FrameAt(SourceRecording(), lastFrames[i], Join(m_folder, L"at_mark.yuv")));
    const std::string before = net::Sha1Hex(FrameAt(SourceRecording(), "69.900", Join(m_folder, L"before.yuv")));
    EXPECT_EQ(last, atMark);
    EXPECT_NE(atMark, before);
    EXPECT_NE(atMark, net::Sha1Hex(""));
    RemoveFile(copy);
  }
  EXPECT_FALSE(FileExists(m_recording));
}

TEST_F(CutVideoReal, StorageFaultOnTheSecondClipKeepsItAndRegistersTheFirst) {
  Json::Value cfg;
  cfg["upload"]["fail_block"] = 1;  // the second clip's first block
  test::Control("POST", "config", cfg);
  CRecordingServices services;
  CCutVideoJob job(m_data, services, std::make_shared<std::atomic<bool>>(false));
  CCutVideoJob::Outcome o = job.Run();
  EXPECT_EQ(o.uploaded, 1);
  EXPECT_EQ(o.kept, 1);
  Json::Value clips = test::Control("GET", "clips")["clips"];
  ASSERT_EQ(clips.size(), 1u);
  EXPECT_EQ(clips[0]["key"].asString(), m_keys[0]);
  EXPECT_FALSE(FileExists(Join(m_folder, Utf8ToWide(m_keys[0]))));
  const std::wstring kept = Join(m_folder, Utf8ToWide(m_keys[1]));
  ASSERT_TRUE(FileExists(kept));
  std::string bytes;
  ReadWholeFile(kept, bytes);
  EXPECT_TRUE(bytes == services.sent[m_keys[1]]);
  EXPECT_TRUE(StoredObject(m_keys[1]).empty());
}

TEST_F(CutVideoReal, RefusedRegistrationKeepsBothClipsOnDisk) {
  Json::Value cfg;
  cfg["overrides"]["/cloud/api/v1.0"]["status"] = 500;
  cfg["overrides"]["/cloud/api/v1.0"]["body"] = "down for maintenance";
  test::Control("POST", "config", cfg);
  CRecordingServices services;
  CCutVideoJob job(m_data, services, std::make_shared<std::atomic<bool>>(false));
  CCutVideoJob::Outcome o = job.Run();
  EXPECT_EQ(o.uploaded, 0);
  EXPECT_EQ(o.kept, 2);
  EXPECT_EQ(test::Control("GET", "clips")["clips"].size(), 0u);
  for (const std::string& key : m_keys) {
    SCOPED_TRACE(key);
    EXPECT_FALSE(StoredObject(key).empty());  // in the storage, but nobody would find it there
    EXPECT_TRUE(FileExists(Join(m_folder, Utf8ToWide(key))));
  }
  EXPECT_FALSE(FileExists(m_recording));  // every mark has its clip on disk
}

TEST_F(CutVideoReal, TwoMarksInOneSecondKeepTheClipTheStorageRefuses) {
  // 100 ms apart in the same second: one name and key, slightly different cuts.
  m_data.momentsMs = {m_launchMs + 1500 + 40200, m_launchMs + 1500 + 40300};
  if (MomentSeconds(m_data.momentsMs[0]) != MomentSeconds(m_data.momentsMs[1])) {
    for (int64_t& m : m_data.momentsMs) m += 250;
  }
  ASSERT_EQ(MomentSeconds(m_data.momentsMs[0]), MomentSeconds(m_data.momentsMs[1]));
  m_keys = {WideToUtf8(ClipFileName(m_data.userId, m_data.momentsMs[0]))};
  CRecordingServices services;
  CCutVideoJob job(m_data, services, std::make_shared<std::atomic<bool>>(false));
  CCutVideoJob::Outcome o = job.Run();
  EXPECT_EQ(o.uploaded, 1);
  EXPECT_EQ(o.kept, 1);  // the storage keeps the first content of a key
  EXPECT_EQ(test::Control("GET", "clips")["clips"].size(), 1u);
  EXPECT_TRUE(FileExists(Join(m_folder, Utf8ToWide(m_keys[0]))));
}

}  // namespace
}  // namespace vorlix

#include "recording/UploadQueue.h"

#include <json/json.h>

#include <algorithm>
#include <sstream>
#include <utility>

#include "base/FileSystem.h"
#include "base/JsonText.h"
#include "base/TextConv.h"
#include "net/CloudUpload.h"

namespace vorlix {
namespace {

constexpr int kContextExpired = 701;  // the storage no longer knows a block context
constexpr int64_t kFirstRetryMs = 30 * 1000;
constexpr int64_t kLongestRetryMs = 30 * 60 * 1000;

class CRealJournalFiles : public IJournalFiles {
 public:
  bool Read(const std::wstring& path, std::string& bytes) override { return ReadWholeFile(path, bytes); }
  bool Write(const std::wstring& path, const std::string& bytes) override { return WriteWholeFile(path, bytes); }
  bool Replace(const std::wstring& from, const std::wstring& to) override { return MoveFileReplacing(from, to); }
};

const EQueuedState kStates[] = {EQueuedState::kPlanned, EQueuedState::kCut, EQueuedState::kUploading, EQueuedState::kUploaded,
                                EQueuedState::kRegistered, EQueuedState::kRefused};

}  // namespace

const char* QueuedStateName(EQueuedState state) {
  switch (state) {
    case EQueuedState::kPlanned: return "planned";
    case EQueuedState::kCut: return "cut";
    case EQueuedState::kUploading: return "uploading";
    case EQueuedState::kUploaded: return "uploaded";
    case EQueuedState::kRegistered: return "registered";
    case EQueuedState::kRefused: return "refused";
  }
  return "cut";
}

IJournalFiles& RealJournalFiles() {
  static CRealJournalFiles files;
  return files;
}

bool IsRefusedForGood(int code) {
  if (code == net::kCloudLocalFileError) return true;
  // A request the other side rejects as such is rejected again; a timeout or a busy server is not.
  return code >= 400 && code < 500 && code != 408 && code != 429;
}

int64_t RetryDelayMs(int attempts) {
  int64_t delay = kFirstRetryMs;
  for (int i = 1; i < attempts && delay < kLongestRetryMs; ++i) delay *= 2;
  return std::min(delay, kLongestRetryMs);
}

std::string SerializeJournal(const std::vector<QueuedClip>& clips) {
  Json::FastWriter writer;
  std::string text;
  for (const QueuedClip& clip : clips) {
    Json::Value record(Json::objectValue);
    record["key"] = clip.key;
    record["file"] = WideToUtf8(clip.localFile);
    record["moment"] = Json::Int64(clip.momentMs);
    record["start"] = clip.segmentStart;
    record["duration"] = clip.duration;
    record["size"] = Json::Int64(clip.size);
    record["state"] = QueuedStateName(clip.state);
    record["attempts"] = clip.attempts;
    record["next"] = Json::Int64(clip.nextAttemptMs);
    record["code"] = clip.lastCode;
    Json::Value contexts(Json::arrayValue);
    for (const std::string& ctx : clip.contexts) contexts.append(ctx);
    record["blocks"] = contexts;
    if (!clip.cutCommand.empty()) record["cut"] = clip.cutCommand;
    text += writer.write(record);  // one line, ending in a line feed
  }
  return text;
}

std::vector<QueuedClip> ParseJournal(const std::string& text) {
  std::vector<QueuedClip> clips;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    Json::Value record;
    // A line that does not read as a whole record is skipped rather than taking the others with it.
    if (!ParseJsonText(line, record) || !record.isObject() || !record["key"].isString() ||
        !record["file"].isString())
      continue;
    QueuedClip clip;
    clip.key = record["key"].asString();
    clip.localFile = Utf8ToWide(record["file"].asString());
    clip.momentMs = record["moment"].isIntegral() ? record["moment"].asInt64() : 0;
    clip.segmentStart = record["start"].isInt() ? record["start"].asInt() : 0;
    clip.duration = record["duration"].isInt() ? record["duration"].asInt() : 0;
    clip.size = record["size"].isIntegral() ? record["size"].asInt64() : 0;
    const std::string state = record["state"].isString() ? record["state"].asString() : "";
    for (EQueuedState s : kStates)
      if (state == QueuedStateName(s)) clip.state = s;
    clip.attempts = record["attempts"].isInt() ? record["attempts"].asInt() : 0;
    clip.nextAttemptMs = record["next"].isIntegral() ? record["next"].asInt64() : 0;
    clip.lastCode = record["code"].isInt() ? record["code"].asInt() : 0;
    if (record["cut"].isString()) clip.cutCommand = record["cut"].asString();
    for (const Json::Value& ctx : record["blocks"])
      if (ctx.isString()) clip.contexts.push_back(ctx.asString());
    clips.erase(std::remove_if(clips.begin(), clips.end(), [&](const QueuedClip& c) { return c.key == clip.key; }),
                clips.end());
    clips.push_back(std::move(clip));
  }
  return clips;
}

CUploadQueue::CUploadQueue(std::wstring journalPath, IJournalFiles& files)
    : m_path(std::move(journalPath)), m_files(files) {}

bool CUploadQueue::Load() {
  std::lock_guard<std::mutex> hold(m_lock);
  m_clips.clear();
  if (!FileExists(m_path)) return true;
  std::string text;
  if (!m_files.Read(m_path, text)) return false;
  m_clips = ParseJournal(text);
  return true;
}

bool CUploadQueue::Commit(std::vector<QueuedClip> next) {
  const std::wstring temp = m_path + L".new";
  if (!m_files.Write(temp, SerializeJournal(next)) || !m_files.Replace(temp, m_path)) return false;
  m_clips = std::move(next);
  return true;
}

QueuedClip* CUploadQueue::Locate(std::vector<QueuedClip>& clips, const std::string& key) {
  for (QueuedClip& clip : clips)
    if (clip.key == key) return &clip;
  return nullptr;
}

bool CUploadQueue::Add(const QueuedClip& clip) {
  std::lock_guard<std::mutex> hold(m_lock);
  std::vector<QueuedClip> next = m_clips;
  next.erase(std::remove_if(next.begin(), next.end(), [&](const QueuedClip& c) { return c.key == clip.key; }),
             next.end());
  QueuedClip added = clip;
  added.state = EQueuedState::kCut;
  added.contexts.clear();
  added.attempts = 0;
  added.nextAttemptMs = 0;
  added.lastCode = 0;
  next.push_back(added);
  return Commit(std::move(next));
}

bool CUploadQueue::Plan(const QueuedClip& clip) {
  std::lock_guard<std::mutex> hold(m_lock);
  if (Locate(m_clips, clip.key)) return true;
  std::vector<QueuedClip> next = m_clips;
  QueuedClip planned = clip;
  planned.state = EQueuedState::kPlanned;
  planned.contexts.clear();
  next.push_back(planned);
  return Commit(std::move(next));
}

bool CUploadQueue::BlockConfirmed(const std::string& key, int blockIndex, const std::string& ctx) {
  std::lock_guard<std::mutex> hold(m_lock);
  std::vector<QueuedClip> next = m_clips;
  QueuedClip* clip = Locate(next, key);
  // Blocks are confirmed in order; anything else means the upload started over.
  if (!clip || blockIndex < 0 || blockIndex > static_cast<int>(clip->contexts.size())) return false;
  clip->contexts.resize(static_cast<size_t>(blockIndex));
  clip->contexts.push_back(ctx);
  clip->state = EQueuedState::kUploading;
  return Commit(std::move(next));
}

bool CUploadQueue::MarkUploaded(const std::string& key) {
  std::lock_guard<std::mutex> hold(m_lock);
  std::vector<QueuedClip> next = m_clips;
  QueuedClip* clip = Locate(next, key);
  if (!clip) return false;
  clip->state = EQueuedState::kUploaded;
  clip->attempts = 0;
  clip->nextAttemptMs = 0;
  return Commit(std::move(next));
}

bool CUploadQueue::MarkRegistered(const std::string& key) {
  std::lock_guard<std::mutex> hold(m_lock);
  std::vector<QueuedClip> next = m_clips;
  QueuedClip* clip = Locate(next, key);
  if (!clip || clip->state != EQueuedState::kUploaded) return false;
  clip->state = EQueuedState::kRegistered;
  return Commit(std::move(next));
}

bool CUploadQueue::Remove(const std::string& key) {
  std::lock_guard<std::mutex> hold(m_lock);
  std::vector<QueuedClip> next = m_clips;
  next.erase(std::remove_if(next.begin(), next.end(), [&](const QueuedClip& c) { return c.key == key; }),
             next.end());
  return Commit(std::move(next));
}

bool CUploadQueue::Failed(const std::string& key, int code, int64_t nowMs) {
  std::lock_guard<std::mutex> hold(m_lock);
  std::vector<QueuedClip> next = m_clips;
  QueuedClip* clip = Locate(next, key);
  if (!clip) return false;
  clip->lastCode = code;
  ++clip->attempts;
  if (code == kContextExpired) {
    clip->contexts.clear();
    if (clip->state == EQueuedState::kUploading) clip->state = EQueuedState::kCut;
  }
  if (IsRefusedForGood(code)) {
    clip->state = EQueuedState::kRefused;
    clip->nextAttemptMs = 0;
  } else {
    clip->nextAttemptMs = nowMs + RetryDelayMs(clip->attempts);
  }
  return Commit(std::move(next));
}

std::vector<QueuedClip> CUploadQueue::Due(int64_t nowMs) const {
  std::lock_guard<std::mutex> hold(m_lock);
  std::vector<QueuedClip> due;
  for (const QueuedClip& clip : m_clips)
    if (clip.state != EQueuedState::kRefused && !m_claimed.count(clip.key) && clip.nextAttemptMs <= nowMs)
      due.push_back(clip);
  return due;
}

std::vector<QueuedClip> CUploadQueue::All() const {
  std::lock_guard<std::mutex> hold(m_lock);
  return m_clips;
}

std::vector<QueuedClip> CUploadQueue::Refused() const {
  std::lock_guard<std::mutex> hold(m_lock);
  std::vector<QueuedClip> refused;
  for (const QueuedClip& clip : m_clips)
    if (clip.state == EQueuedState::kRefused) refused.push_back(clip);
  return refused;
}

bool CUploadQueue::Find(const std::string& key, QueuedClip& clip) const {
  std::lock_guard<std::mutex> hold(m_lock);
  for (const QueuedClip& c : m_clips)
    if (c.key == key) {
      clip = c;
      return true;
    }
  return false;
}

int CUploadQueue::Waiting() const {
  std::lock_guard<std::mutex> hold(m_lock);
  return static_cast<int>(std::count_if(m_clips.begin(), m_clips.end(),
                                        [](const QueuedClip& c) { return c.state != EQueuedState::kRefused; }));
}

bool CUploadQueue::Claim(const std::string& key) {
  std::lock_guard<std::mutex> hold(m_lock);
  return m_claimed.insert(key).second;
}

void CUploadQueue::Release(const std::string& key) {
  std::lock_guard<std::mutex> hold(m_lock);
  m_claimed.erase(key);
}

}  // namespace vorlix

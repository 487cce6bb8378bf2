#pragma once
// Every cut clip waits here until the service has registered it, so that no failed upload, network drop,
// quit or crash loses one. The queue is a journal file of one JSON record per line. Each change writes
// the whole journal to a temporary file beside it and renames that over the journal: the rename replaces
// the file in one step, so a reader finds either the old or the new journal, never half of one. A
// journal of a few short lines needs no database: nothing to link into the 32-bit program, nothing to
// repair after a crash, and a user can open it in a text editor to see what waits.
//
// A mark of a stopped session is written as kPlanned with the command that cuts it, so a quit before
// its cut loses nothing either. A clip goes through kCut -> kUploading (k blocks confirmed) -> kUploaded -> kRegistered and leaves the
// journal; its local file is deleted only after kRegistered is written. A clip the storage or the
// service refuses for good becomes kRefused: it stays listed (and on disk) and is not tried again.
// Other failures are retried with a back-off that doubles up to a cap.
//
// All members lock one mutex, so the cut worker and the resume thread may share one queue; Claim keeps
// a clip from being worked on by both at once.
#include <cstdint>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

namespace vorlix {

enum class EQueuedState { kPlanned, kCut, kUploading, kUploaded, kRegistered, kRefused };

const char* QueuedStateName(EQueuedState state);

struct QueuedClip {
  std::string key;          // the object key (the clip's file name); unique in the queue
  std::wstring localFile;   // full path of the clip
  int64_t momentMs = 0;     // the replay moment
  int32_t segmentStart = 0; // the recorder run's launch, seconds since 1970 (for the registered duration)
  int32_t duration = 0;     // the recording's duration in seconds as the cut saw it
  int64_t size = 0;         // bytes of the clip as cut
  std::vector<std::string> contexts;  // last contexts of the blocks the storage confirmed, in order
  EQueuedState state = EQueuedState::kCut;
  int attempts = 0;         // failed attempts so far
  int64_t nextAttemptMs = 0;  // not tried again before this time (ms since 1970)
  int lastCode = 0;         // the code of the last failure
  std::string cutCommand;   // for kPlanned: the ffmpeg command line (narrow code page) that makes the clip
};

// The journal's file operations, so tests can stop the writer between any two of them.
class IJournalFiles {
 public:
  virtual ~IJournalFiles() = default;
  virtual bool Read(const std::wstring& path, std::string& bytes) = 0;
  virtual bool Write(const std::wstring& path, const std::string& bytes) = 0;
  virtual bool Replace(const std::wstring& from, const std::wstring& to) = 0;
};
IJournalFiles& RealJournalFiles();

// Whether a failure code can change by trying again later. Storage codes come from net/CloudUpload.h
// (HTTP statuses, -(CURLcode), kCloudLocalFileError, kCloudBadAnswer); registration codes from the
// service.
bool IsRefusedForGood(int code);
// Wait before the next attempt after the given number of failed attempts (1 = the first failure).
int64_t RetryDelayMs(int attempts);

class CUploadQueue {
 public:
  explicit CUploadQueue(std::wstring journalPath, IJournalFiles& files = RealJournalFiles());

  // Reads the journal (a missing one is an empty queue); false when it exists but cannot be read.
  bool Load();
  const std::wstring& JournalPath() const { return m_path; }

  // Each change returns false when the journal could not be written; the change is then not made.
  // Adds a clip in state kCut; a clip already queued under the key is replaced (a new cut rewrote it).
  bool Add(const QueuedClip& clip);
  // Adds a clip still to be cut in state kPlanned, unless the key is queued already.
  bool Plan(const QueuedClip& clip);
  bool BlockConfirmed(const std::string& key, int blockIndex, const std::string& ctx);
  bool MarkUploaded(const std::string& key);
  bool MarkRegistered(const std::string& key);
  bool Remove(const std::string& key);
  // A failed attempt: refused for good, or retried after the back-off from nowMs. A stored block
  // context the storage no longer knows (code 701) is dropped, so the next attempt starts at block 0.
  bool Failed(const std::string& key, int code, int64_t nowMs);

  // Clips that may be worked on now: not refused, not claimed, their back-off over.
  std::vector<QueuedClip> Due(int64_t nowMs) const;
  std::vector<QueuedClip> All() const;
  std::vector<QueuedClip> Refused() const;
  bool Find(const std::string& key, QueuedClip& clip) const;
  // Clips not refused: what still waits for upload or registration.
  int Waiting() const;

  // One worker at a time per clip; Claim fails when another holds it.
  bool Claim(const std::string& key);
  void Release(const std::string& key);

 private:
  bool Commit(std::vector<QueuedClip> next);
  QueuedClip* Locate(std::vector<QueuedClip>& clips, const std::string& key);

  std::wstring m_path;
  IJournalFiles& m_files;
  mutable std::mutex m_lock;
  std::vector<QueuedClip> m_clips;
  std::set<std::string> m_claimed;
};

// The journal's text and back; exposed for tests and for the command that lists the queue.
std::string SerializeJournal(const std::vector<QueuedClip>& clips);
std::vector<QueuedClip> ParseJournal(const std::string& text);

}  // namespace vorlix

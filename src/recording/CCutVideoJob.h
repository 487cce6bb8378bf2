#pragma once
// The cut worker's run over a stopped session: probe every recording once, map each replay moment onto
// the recording that was running, cut the 60 seconds before it, upload the clip, register it, and tell
// the main window through messages (shell/WindowMessages.h); it never touches a control itself.
//
// What it guarantees beyond the plain flow:
//   - moments that map onto no recording are dropped before counting, so the progress can reach 100;
//   - a clip leaves the folder only once it is uploaded and registered; a clip whose upload or
//     registration failed stays and is counted as kept;
//   - a recording is deleted only when every moment mapping into it gave a clip that was registered or
//     is kept on disk (a cancelled or failed cut keeps it), and this holds for every segment;
//   - the cancel flag is read before each clip; the clip in progress is finished;
//   - the next clip is cut while the current one uploads (RunCut may run on a second thread).
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "net/CloudUpload.h"
#include "recording/RecordSegment.h"
#include "recording/UploadProgress.h"
#include "recording/UploadQueue.h"

namespace vorlix {

// Everything the run needs from outside, so tests can run it with fakes.
class ICutVideoSeams {
 public:
  virtual ~ICutVideoSeams() = default;
  // Length of a recording in milliseconds; 0 when it is missing or unreadable.
  virtual int64_t ProbeDurationMs(const std::wstring& recordingPath) = 0;
  // Runs the cut command line (narrow code page); its output is not needed.
  virtual void RunCut(const std::string& commandLine) = 0;
  // Uploads the file under key with block progress; 200 when the storage stored it.
  virtual int Upload(const std::string& key, const std::wstring& localFile, const net::BlockProgress& notify,
                     net::PutResult& result) = 0;
  // Sends the registration record; returns the service's code (200 when registered).
  // The same upload resuming after the blocks already confirmed; blockDone receives each block the
  // storage completes. Without an override the upload starts from block 0 and reports no blocks.
  virtual int UploadResuming(const std::string& key, const std::wstring& localFile,
                             const std::vector<std::string>& confirmed,
                             const std::function<void(int, const std::string&)>& blockDone,
                             const net::BlockProgress& notify, net::PutResult& result) {
    (void)confirmed;
    (void)blockDone;
    return Upload(key, localFile, notify, result);
  }
  virtual int RegisterCloudVideo(const std::string& json) = 0;
  // Wall-clock time in ms since 1970, for the queue's back-off.
  virtual int64_t NowMs();
  // The "uploadRec" event report, waited for.
  virtual void ReportUploadEvent() = 0;
  // Base address of the uploaded clips, ending in "/".
  virtual std::string CdnBaseUrl() = 0;
  // One message to the main window (posted, never sent).
  virtual void Post(unsigned message, uintptr_t wParam, intptr_t lParam) = 0;
  // Text for the program's standard output.
  virtual void PrintOut(const std::string& text) = 0;
};

class CCutVideoJob {
 public:
  struct Outcome {
    int planned = 0;   // moments that mapped onto a recording
    int uploaded = 0;  // clips uploaded and registered
    int kept = 0;      // clips left in the folder
    std::vector<std::wstring> recordingsDeleted;
    std::vector<std::wstring> recordingsKept;
  };

  // With a queue, every clip is written to it before its upload and leaves it only once registered.
  CCutVideoJob(SessionData data, ICutVideoSeams& seams, std::shared_ptr<std::atomic<bool>> cancel,
               CUploadQueue* queue = nullptr);

  // The whole run; posts WM_CUT_BEGIN first and, when there was something to do, WM_CUT_FINISHED last.
  Outcome Run();

  // One cut; returns the clip file name (not the path).
  std::wstring ClipVideo(int32_t duration, const RecordSegment& segment, int64_t momentMs);
  // Uploads the clip from the folder under its own name; size receives its bytes. The clip stays on disk.
  // With a queue the upload resumes after the clip's confirmed blocks and records each new one. code
  // receives the storage's result when given.
  bool UploadCutedVideo(const std::wstring& clipName, int64_t& size, int* code = nullptr);
  // Registers an uploaded clip; returns the service's code.
  int SendCloudVideo(const RecordSegment& segment, int64_t momentMs, int32_t duration, const std::wstring& clipName,
                     int64_t size);

  // Takes a queued clip from where it stands to registered and removed (local file deleted); false when
  // it stays queued (failed, refused, or another worker holds it).
  bool DeliverQueued(const std::string& key);

  const SessionData& Data() const { return m_data; }

 private:
  SessionData m_data;
  ICutVideoSeams& m_seams;
  std::shared_ptr<std::atomic<bool>> m_cancel;
  bool Deliver(const std::string& key, const std::function<void()>& beforeRemove);
  bool UploadFile(const std::string& key, const std::wstring& localFile, int64_t& size, int* code);

  CUploadQueue* m_queue;
  CUploadProgress m_progress;
};

}  // namespace vorlix

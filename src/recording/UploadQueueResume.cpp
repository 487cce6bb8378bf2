#include "recording/UploadQueueResume.h"

#include "base/FileSystem.h"
#include "base/TextConv.h"
#include "config/Settings.h"
#include "shell/Log.h"
#include "shell/WindowMessages.h"

namespace vorlix {
namespace {

// The clip's messages of the cut worker, turned into the queue's own: the main window's session
// progress belongs to the cut worker.
class CQueueSeams : public ICutVideoSeams {
 public:
  CQueueSeams(ICutVideoSeams& inner, int& waiting) : m_inner(inner), m_waiting(waiting) {}
  int64_t ProbeDurationMs(const std::wstring& path) override { return m_inner.ProbeDurationMs(path); }
  void RunCut(const std::string& commandLine) override { m_inner.RunCut(commandLine); }
  int Upload(const std::string& key, const std::wstring& file, const net::BlockProgress& notify,
             net::PutResult& result) override {
    return m_inner.Upload(key, file, notify, result);
  }
  int UploadResuming(const std::string& key, const std::wstring& file, const std::vector<std::string>& confirmed,
                     const std::function<void(int, const std::string&)>& blockDone, const net::BlockProgress& notify,
                     net::PutResult& result) override {
    return m_inner.UploadResuming(key, file, confirmed, blockDone, notify, result);
  }
  int RegisterCloudVideo(const std::string& json) override { return m_inner.RegisterCloudVideo(json); }
  void ReportUploadEvent() override { m_inner.ReportUploadEvent(); }
  std::string CdnBaseUrl() override { return m_inner.CdnBaseUrl(); }
  // Only the percent goes on; the rest of the job's messages speak of a session.
  void Post(unsigned message, uintptr_t wParam, intptr_t /*lParam*/) override {
    if (message == WM_UPLOAD_PROGRESS)
      m_inner.Post(WM_UPLOAD_QUEUE, static_cast<uintptr_t>(m_waiting), static_cast<intptr_t>(wParam));
  }
  void PrintOut(const std::string& text) override { m_inner.PrintOut(text); }
  int64_t NowMs() override { return m_inner.NowMs(); }

 private:
  ICutVideoSeams& m_inner;
  int& m_waiting;
};

std::wstring FolderOf(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

}  // namespace

CUploadQueue& ProgramUploadQueue() {
  static CUploadQueue* queue = [] {
    const std::wstring folder = GetAppDirectory() + L"Config";
    CreateDirectories(folder);
    auto* q = new CUploadQueue(folder + PathSeparator() + L"upload-queue.journal");
    if (!q->Load() && LogEnabled(2))
      LogWrite(LogBegin(2, "MainFrame", __LINE__) << "upload queue unreadable:" << WideToAnsi(q->JournalPath()) << '\n');
    return q;
  }();
  return *queue;
}

std::atomic<int>& UploadQueueHolds() {
  static std::atomic<int> holds{0};
  return holds;
}

std::wstring WaitingUploadsText(int waiting, int percent) {
  if (waiting <= 0) return std::wstring();
  std::wstring text = std::to_wstring(waiting) + L" 个视频等待上传";
  if (percent >= 0 && percent <= 100) text += L" " + std::to_wstring(percent) + L"%";
  return text;
}

QueuePassOutcome RunUploadQueuePass(CUploadQueue& queue, ICutVideoSeams& seams, const std::wstring& userId) {
  QueuePassOutcome outcome;
  int waiting = queue.Waiting();
  CQueueSeams queueSeams(seams, waiting);
  const std::vector<QueuedClip> due = queue.Due(seams.NowMs());
  if (!due.empty()) seams.Post(WM_UPLOAD_QUEUE, static_cast<uintptr_t>(waiting), 0);
  for (const QueuedClip& clip : due) {
    // A session started meanwhile: the rest waits for the next pass.
    if (UploadQueueHolds().load() > 0) break;
    SessionData data;
    data.videoFolder = FolderOf(clip.localFile);
    data.userId = userId;
    CCutVideoJob job(data, queueSeams, nullptr, &queue);
    ++outcome.tried;
    if (job.DeliverQueued(clip.key)) {
      ++outcome.registered;
      seams.Post(WM_CLIP_SAVED, 0, 0);
    }
    waiting = queue.Waiting();
  }
  outcome.waiting = queue.Waiting();
  if (!due.empty()) seams.Post(WM_UPLOAD_QUEUE, static_cast<uintptr_t>(outcome.waiting), -1);
  return outcome;
}

}  // namespace vorlix

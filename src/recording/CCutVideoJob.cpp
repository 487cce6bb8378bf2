#include "recording/CCutVideoJob.h"

#include <chrono>
#include <future>
#include <set>
#include <thread>
#include <utility>

#include "base/FileSystem.h"
#include "base/TextConv.h"
#include "net/UploadToken.h"
#include "recording/ClipPlanner.h"
#include "recording/CloudVideoRecord.h"
#include "shell/Log.h"
#include "shell/WindowMessages.h"

namespace vorlix {
namespace {

void Log(const std::string& text, int line) {
  if (LogEnabled(2)) LogWrite(LogBegin(2, "MainFrame", line) << text << '\n');
}

struct PlannedClip {
  int segment = -1;
  int64_t momentMs = 0;
  std::wstring clipName;
  bool done = false;        // cut and handed to the upload
  bool registered = false;  // uploaded and registered; the local copy is gone
};

// Another process may hold the file for a moment (an inherited handle, a virus scanner); gives it two
// seconds.
bool RemoveFileWhenReleased(const std::wstring& path) {
  for (int attempt = 0; attempt < 40; ++attempt) {
    if (RemoveFile(path) || !FileExists(path)) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  Log("CutVideoThread cannot remove:" + WideToAnsi(path), __LINE__);
  return false;
}

std::wstring FileNameOf(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

}  // namespace

int64_t ICutVideoSeams::NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::system_clock::now().time_since_epoch())
      .count();
}

CCutVideoJob::CCutVideoJob(SessionData data, ICutVideoSeams& seams, std::shared_ptr<std::atomic<bool>> cancel,
                           CUploadQueue* queue)
    : m_data(std::move(data)), m_seams(seams), m_cancel(std::move(cancel)), m_queue(queue) {}

CCutVideoJob::Outcome CCutVideoJob::Run() {
  Outcome outcome;
  if (m_data.momentsMs.empty()) {
    m_seams.Post(WM_CUT_BEGIN, 0, 0);
    return outcome;
  }
  for (RecordSegment& segment : m_data.segments)
    ApplyProbedDuration(segment, m_seams.ProbeDurationMs(RecordingPath(m_data.videoFolder, segment)));

  std::vector<PlannedClip> clips;
  for (int64_t moment : m_data.momentsMs) {
    int segment = ChooseSegment(m_data.segments, moment);
    if (segment < 0) {
      Log("CutVideoThread skip recordTime:" + std::to_string(MomentSeconds(moment)), __LINE__);
      continue;
    }
    PlannedClip clip;
    clip.segment = segment;
    clip.momentMs = moment;
    clips.push_back(clip);
  }
  const int total = static_cast<int>(clips.size());
  outcome.planned = total;
  m_seams.Post(WM_CUT_BEGIN, static_cast<uintptr_t>(total), 0);
  // Nothing to cut: the recordings stay where they are, as after a session without any mark.
  if (total == 0) return outcome;

  // Every mark is in the queue before the first cut, so a quit or a crash part-way loses none: the next
  // start cuts what was not cut (the recording is kept for it).
  if (m_queue) {
    for (const PlannedClip& clip : clips) {
      const RecordSegment& segment = m_data.segments[clip.segment];
      QueuedClip entry;
      const std::wstring clipName = ClipFileName(m_data.userId, clip.momentMs);
      entry.key = WideToAnsi(clipName);
      entry.localFile = ClipPath(m_data.videoFolder, clipName);
      entry.momentMs = clip.momentMs;
      entry.segmentStart = segment.nStartTime;
      entry.duration = segment.duration;
      entry.cutCommand = WideToAnsi(BuildCutCommand(ComputeCutWindow(segment, clip.momentMs),
                                                    RecordingPath(m_data.videoFolder, segment), entry.localFile));
      m_queue->Plan(entry);
    }
  }

  // The next clip is cut while the current one uploads: ffmpeg reads the disk, the upload waits on the
  // network. Not when both moments share a clip name, since the cut would rewrite the file being sent.
  auto cancelled = [this] { return m_cancel && m_cancel->load(); };
  std::future<std::wstring> nextCut;
  int nextIndex = -1;
  for (int i = 0; i < total && !cancelled(); ++i) {
    PlannedClip& clip = clips[i];
    const RecordSegment& segment = m_data.segments[clip.segment];
    if (nextIndex == i) {
      clip.clipName = nextCut.get();
      nextIndex = -1;
    } else {
      clip.clipName = ClipVideo(segment.duration, segment, clip.momentMs);
    }
    if (i + 1 < total && ClipFileName(m_data.userId, clips[i + 1].momentMs) != clip.clipName) {
      const PlannedClip& next = clips[i + 1];
      nextIndex = i + 1;
      nextCut = std::async(std::launch::async, [this, &next] {
        const RecordSegment& s = m_data.segments[next.segment];
        return ClipVideo(s.duration, s, next.momentMs);
      });
    }
    m_seams.Post(WM_CUT_CLIP_INDEX, static_cast<uintptr_t>(i + 1), total);
    // A cut started while this clip was open for the upload inherits the open file on Windows (and so
    // does the console host started with it); the file cannot go before they have ended.
    auto waitNextCut = [&] {
      if (nextIndex >= 0) nextCut.wait();
    };
    bool queued = false;
    if (m_queue) {
      QueuedClip entry;
      entry.key = WideToAnsi(clip.clipName);
      entry.localFile = ClipPath(m_data.videoFolder, clip.clipName);
      entry.momentMs = clip.momentMs;
      entry.segmentStart = segment.nStartTime;
      entry.duration = segment.duration;
      entry.size = FileSize(entry.localFile);
      // A cut that wrote nothing has nothing to keep; it fails below like any empty clip.
      if (entry.size > 0) {
        queued = m_queue->Add(entry);
        if (!queued) Log("CutVideoThread cannot write the upload queue:" + WideToAnsi(m_queue->JournalPath()), __LINE__);
      }
    }
    if (queued) {
      if (Deliver(WideToAnsi(clip.clipName), waitNextCut)) {
        clip.registered = true;
        ++outcome.uploaded;
        m_seams.Post(WM_CLIP_SAVED, 0, 0);
      }
    } else {
      int64_t size = 0;
      if (UploadCutedVideo(clip.clipName, size) &&
          SendCloudVideo(segment, clip.momentMs, segment.duration, clip.clipName, size) == 200) {
        clip.registered = true;
        ++outcome.uploaded;
        waitNextCut();
        RemoveFileWhenReleased(ClipPath(m_data.videoFolder, clip.clipName));
        m_seams.Post(WM_CLIP_SAVED, 0, 0);
      }
    }
    clip.done = true;
    Log("cutvideo thread finished", __LINE__);
  }
  // Cancelled with the next clip already cut: it was never handed over, so it does not stay behind.
  if (nextIndex >= 0) RemoveFileWhenReleased(ClipPath(m_data.videoFolder, nextCut.get()));

  // Counted at the end: two moments of the same second share one clip file, and a later cut may have
  // replaced a clip kept earlier.
  std::set<std::wstring> keptNames;
  // Nothing was cut from a recording ffmpeg could not read, and it may still be repaired.
  std::vector<bool> recordingNeeded(m_data.segments.size(), false);
  for (size_t s = 0; s < m_data.segments.size(); ++s) recordingNeeded[s] = m_data.segments[s].durationSeconds <= 0;
  for (const PlannedClip& clip : clips) {
    bool onDisk = false;
    if (clip.done && !clip.registered) {
      const std::wstring path = ClipPath(m_data.videoFolder, clip.clipName);
      onDisk = FileExists(path) && FileSize(path) > 0;
      if (onDisk) keptNames.insert(clip.clipName);
    }
    if (!clip.registered && !onDisk) recordingNeeded[clip.segment] = true;
  }
  outcome.kept = static_cast<int>(keptNames.size());
  for (size_t s = 0; s < m_data.segments.size(); ++s) {
    const std::wstring path = RecordingPath(m_data.videoFolder, m_data.segments[s]);
    if (recordingNeeded[s]) {
      if (!FileExists(path)) continue;
      Log("CutVideoThread keep recording:" + WideToAnsi(path), __LINE__);
      outcome.recordingsKept.push_back(path);
    } else if (RemoveFileWhenReleased(path)) {
      outcome.recordingsDeleted.push_back(path);
    } else {
      outcome.recordingsKept.push_back(path);
    }
  }
  m_seams.Post(WM_CUT_FINISHED, static_cast<uintptr_t>(outcome.uploaded), outcome.kept);
  return outcome;
}

std::wstring CCutVideoJob::ClipVideo(int32_t duration, const RecordSegment& segment, int64_t momentMs) {
  RecordSegment logged = segment;
  logged.duration = duration;
  Log(ClipVideoBeginLogText(logged, momentMs), __LINE__);
  Log(CutVideoInfoLogText(segment), __LINE__);
  const CutWindow window = ComputeCutWindow(segment, momentMs);
  const std::wstring clipName = ClipFileName(m_data.userId, momentMs);
  const std::wstring command = BuildCutCommand(window, RecordingPath(m_data.videoFolder, segment),
                                               ClipPath(m_data.videoFolder, clipName));
  const std::string narrow = WideToAnsi(command);
  Log("ExecCmd  cmdline:" + narrow, __LINE__);
  m_seams.RunCut(narrow);
  return clipName;
}

bool CCutVideoJob::DeliverQueued(const std::string& key) { return Deliver(key, {}); }

bool CCutVideoJob::Deliver(const std::string& key, const std::function<void()>& beforeRemove) {
  QueuedClip clip;
  if (!m_queue || !m_queue->Find(key, clip) || clip.state == EQueuedState::kRefused) return false;
  if (!m_queue->Claim(key)) return false;
  struct Holder {
    CUploadQueue& queue;
    const std::string& key;
    ~Holder() { queue.Release(key); }
  } holder{*m_queue, key};
  const std::wstring clipName = FileNameOf(clip.localFile);
  if (clip.state == EQueuedState::kPlanned) {
    Log("ExecCmd  cmdline:" + clip.cutCommand, __LINE__);
    m_seams.RunCut(clip.cutCommand);
    clip.size = FileSize(clip.localFile);
    // Without its recording the mark cannot become a clip; it stays listed as refused.
    if (clip.size <= 0 || !m_queue->Add(clip)) {
      m_queue->Failed(key, net::kCloudLocalFileError, m_seams.NowMs());
      return false;
    }
    clip.state = EQueuedState::kCut;
  }
  if (clip.state == EQueuedState::kCut || clip.state == EQueuedState::kUploading) {
    int64_t size = 0;
    int code = 0;
    if (!UploadFile(clip.key, clip.localFile, size, &code)) {
      m_queue->Failed(key, code, m_seams.NowMs());
      return false;
    }
    m_queue->MarkUploaded(key);
    clip.size = size;
    clip.state = EQueuedState::kUploaded;
  }
  if (clip.state == EQueuedState::kUploaded) {
    RecordSegment segment;
    segment.nStartTime = clip.segmentStart;
    const int code = SendCloudVideo(segment, clip.momentMs, clip.duration, clipName, clip.size);
    if (code != 200) {
      m_queue->Failed(key, code, m_seams.NowMs());
      return false;
    }
    // Without the journal saying so, the file must stay: the queue still lists the clip, and a later
    // pass sends and registers it again (a second entry in the cloud space rather than a missing file).
    if (!m_queue->MarkRegistered(key)) {
      Log("CutVideoThread cannot write the upload queue:" + WideToAnsi(m_queue->JournalPath()), __LINE__);
      return true;
    }
  }
  if (beforeRemove) beforeRemove();
  // A file that cannot go yet stays registered in the queue, and the next pass removes it.
  if (RemoveFileWhenReleased(clip.localFile)) m_queue->Remove(key);
  return true;
}

bool CCutVideoJob::UploadCutedVideo(const std::wstring& clipName, int64_t& size, int* codeOut) {
  return UploadFile(WideToAnsi(clipName), ClipPath(m_data.videoFolder, clipName), size, codeOut);
}

bool CCutVideoJob::UploadFile(const std::string& key, const std::wstring& localFile, int64_t& size, int* codeOut) {
  Log("UploadCutedVideo  Begin \n videoname" + key, __LINE__);
  const std::string bucket = net::kCloudBucket;
  size = FileSize(localFile);
  int code = net::kCloudLocalFileError;
  net::PutResult result;
  // A cut that wrote nothing is not sent: the storage would keep an empty object as if it were a clip.
  if (size > 0) {
    m_progress.Start(size);
    auto notify = [this](int blockIndex, int64_t /*blockSize*/, int64_t blockSent) {
      const int percent = m_progress.OnBlock(blockIndex, blockSent);
      if (percent < 0) return;
      Log("UploadCutedVideo percent:" + std::to_string(percent), __LINE__);
      m_seams.Post(WM_UPLOAD_PROGRESS, static_cast<uintptr_t>(percent), 0);
    };
    QueuedClip queued;
    if (m_queue && m_queue->Find(key, queued)) {
      // A block's context is kept only when the journal holds it; otherwise the next attempt sends it again.
      code = m_seams.UploadResuming(
          key, localFile, queued.contexts,
          [this, &key](int blockIndex, const std::string& ctx) { m_queue->BlockConfirmed(key, blockIndex, ctx); },
          notify, result);
    } else {
      code = m_seams.Upload(key, localFile, notify, result);
    }
  }
  if (codeOut) *codeOut = code;
  const bool ok = code == net::kCloudUploadOk;
  if (ok) {
    Log("Qiniu_Io_PutFile  success \n bucket:" + bucket + " \n filename" + key, __LINE__);
    m_seams.PrintOut("upload file " + bucket + ":" + key + " success.\n\n" + "key:\t" + result.key + "\n" +
                     "hash:\t" + result.hash + "\n");
  } else {
    Log("Qiniu_Io_PutFile  failed \n bucket:" + bucket + " \n filename" + key, __LINE__);
    Log("UploadCutedVideo  code:" + std::to_string(code), __LINE__);
    m_seams.PrintOut("upload file " + bucket + ":" + key + " error.\n");
    if (size < 0) size = 0;
  }
  m_seams.ReportUploadEvent();
  return ok;
}

int CCutVideoJob::SendCloudVideo(const RecordSegment& segment, int64_t momentMs, int32_t duration,
                                 const std::wstring& clipName, int64_t size) {
  const int32_t moment = MomentSeconds(momentMs);
  Log("SendCloudVideo  Begin \n timeStamp:" + std::to_string(moment) + " \n duration:" + std::to_string(duration) +
          " \n videoname" + WideToAnsi(clipName),
      __LINE__);
  const std::string record =
      BuildCloudVideoRecord(moment, segment.nStartTime, WideToUtf8(clipName), size, m_seams.CdnBaseUrl());
  const int result = m_seams.RegisterCloudVideo(record);
  Log("RequestCloudVideo  result code:" + std::to_string(result), __LINE__);
  m_seams.PrintOut(std::to_string(result));
  return result;
}

}  // namespace vorlix

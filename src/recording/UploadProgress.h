#pragma once
// Progress of the clip uploads: per clip from the bytes each block has sent, and over all clips of a
// session as the main window's progress bar shows it.
#include <cstdint>
#include <map>
#include <mutex>

namespace vorlix {

// Bytes sent per block of the upload in progress. Start() empties it, so what a failed upload left
// behind never distorts the next one's percentages. Blocks may report from several threads.
class CUploadProgress {
 public:
  void Start(int64_t fileSize);
  // Replaces the block's count and returns the percentage of the file sent (truncated), or -1 when the
  // file size is unknown (0). The table empties once 100 is reached.
  int OnBlock(int blockIndex, int64_t blockSent);
  int64_t SentBytes() const;

 private:
  int64_t Sum() const;
  mutable std::mutex m_lock;
  int64_t m_fileSize = 0;
  std::map<int, int64_t> m_blocks;
};

// The share of finished clips plus the current clip's share: (index * 100 + percent - 100) / total,
// kept within 0..100. -1 when no clips are being processed (total <= 0).
int OverallProgress(int currentIndex, int totalUpload, int clipPercent);

// What the main window keeps of the cut worker's reports: which clip of how many is in progress.
class CCutProgress {
 public:
  void OnCutBegin(int totalUpload);
  void OnClipIndex(int currentIndex, int totalUpload);
  void OnCutFinished();
  // A WM_UPLOAD_PROGRESS percent: logs it and returns the progress bar's value, -1 to leave the bar.
  int OnProgerssMsg(int percent);
  int CurrentIndex() const { return m_currentIndex; }
  int TotalUpload() const { return m_totalUpload; }

 private:
  int m_currentIndex = 0;
  int m_totalUpload = 0;
};

}  // namespace vorlix

#include "recording/UploadProgress.h"

#include "shell/Log.h"

namespace vorlix {

void CUploadProgress::Start(int64_t fileSize) {
  std::lock_guard<std::mutex> hold(m_lock);
  m_fileSize = fileSize > 0 ? fileSize : 0;
  m_blocks.clear();
}

int64_t CUploadProgress::SentBytes() const {
  std::lock_guard<std::mutex> hold(m_lock);
  return Sum();
}

int64_t CUploadProgress::Sum() const {
  int64_t sum = 0;
  for (const auto& block : m_blocks) sum += block.second;
  return sum;
}

int CUploadProgress::OnBlock(int blockIndex, int64_t blockSent) {
  std::lock_guard<std::mutex> hold(m_lock);
  m_blocks[blockIndex] = blockSent;
  if (m_fileSize <= 0) return -1;
  int64_t percent = Sum() * 100 / m_fileSize;
  if (percent > 100) percent = 100;
  if (percent < 0) percent = 0;
  if (percent == 100) m_blocks.clear();
  return static_cast<int>(percent);
}

int OverallProgress(int currentIndex, int totalUpload, int clipPercent) {
  if (totalUpload <= 0) return -1;
  int overall = (currentIndex * 100 + clipPercent - 100) / totalUpload;
  return overall < 0 ? 0 : overall > 100 ? 100 : overall;
}

void CCutProgress::OnCutBegin(int totalUpload) {
  m_totalUpload = totalUpload > 0 ? totalUpload : 0;
  m_currentIndex = 0;
}

void CCutProgress::OnClipIndex(int currentIndex, int totalUpload) {
  m_currentIndex = currentIndex;
  m_totalUpload = totalUpload;
}

void CCutProgress::OnCutFinished() {
  m_currentIndex = 0;
  m_totalUpload = 0;
}

int CCutProgress::OnProgerssMsg(int percent) {
  if (LogEnabled(2))
    LogWrite(LogBegin(2, "MainFrame", __LINE__) << "OnProgerssMsg percent:" << static_cast<int32_t>(percent)
                                                 << "\n currentIndex:" << static_cast<int32_t>(m_currentIndex)
                                                 << "\n totalUpload:" << static_cast<int32_t>(m_totalUpload) << '\n');
  const int overall = OverallProgress(m_currentIndex, m_totalUpload, percent);
  if (overall < 0) return -1;
  if (LogEnabled(2))
    LogWrite(LogBegin(2, "MainFrame", __LINE__) << "OnProgerssMsg total percent:" << static_cast<int32_t>(overall) << '\n');
  return overall;
}

}  // namespace vorlix

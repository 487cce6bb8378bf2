#include "screens/settings/UpdatePageState.h"

#include <cctype>

namespace vorlix {

const wchar_t kUpdateStatusUpToDate[] = L"已更新到最新版本";
const wchar_t kUpdateStatusDownloading[] = L"正在更新到最新版本";
const wchar_t kUpdateStatusFailed[] = L"下载失败，请稍后重试";

int PercentFromText(const std::string& percentText) {
  long value = 0;
  for (char c : percentText) {
    if (!std::isdigit(static_cast<unsigned char>(c))) break;
    value = value * 10 + (c - '0');
    if (value > 100) return 100;
  }
  return static_cast<int>(value);
}

bool CUpdatePageState::Init(const std::string& handedOverAnswer, bool startCheck) {
  ParseUpdateInfo(handedOverAnswer, m_localVersion, m_info);
  m_view = UpdatePageView();
  if (startCheck) {
    m_stage = UpdatePageStage::Checking;
    return true;
  }
  ShowOfferOrUpToDate();
  return false;
}

void CUpdatePageState::ShowOfferOrUpToDate() {
  m_stage = HasOffer() ? UpdatePageStage::Offered : UpdatePageStage::UpToDate;
  m_view.linkVisible = m_stage == UpdatePageStage::Offered;
}

void CUpdatePageState::OnCheckAnswer(const std::string& answer) {
  // A late answer must not take the page out of a download the user started meanwhile.
  if (m_stage == UpdatePageStage::Downloading || m_stage == UpdatePageStage::HandedOver) return;
  ParseUpdateInfo(answer, m_localVersion, m_info);
  ShowOfferOrUpToDate();
}

bool CUpdatePageState::OnLinkClicked() {
  if (m_stage != UpdatePageStage::Offered && m_stage != UpdatePageStage::Failed) return false;
  if (!HasOffer()) return false;
  m_stage = UpdatePageStage::Downloading;
  m_announcedTotal = 0;
  m_view.linkVisible = false;
  m_view.statusVisible = true;
  m_view.statusText = kUpdateStatusDownloading;
  m_view.barVisible = false;  // until the first report: a server without a length sends none
  m_view.barValue = 0;
  return true;
}

void CUpdatePageState::OnProgress(const std::string& percentText, long long announcedTotal) {
  if (m_stage != UpdatePageStage::Downloading) return;
  if (announcedTotal > 0) m_announcedTotal = announcedTotal;
  m_view.barVisible = true;
  m_view.barValue = PercentFromText(percentText);
}

bool CUpdatePageState::OnDownloadDone(int result, long long fileSize) {
  if (m_stage != UpdatePageStage::Downloading) return false;
  m_view.barVisible = false;
  const bool complete = result == 0 && fileSize > 0 && (m_announcedTotal <= 0 || fileSize == m_announcedTotal);
  if (complete) {
    m_stage = UpdatePageStage::HandedOver;
    return true;
  }
  m_stage = UpdatePageStage::Failed;
  m_view.barValue = 0;
  m_view.statusVisible = true;
  m_view.statusText = kUpdateStatusFailed;
  m_view.linkVisible = true;
  return false;
}

}  // namespace vorlix

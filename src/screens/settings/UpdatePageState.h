#pragma once
// What the update page shows and does, apart from its window: checking, up to date, update offered,
// downloading, download failed, handed over to the main window. The window feeds it the worker's results
// and the user's clicks, starts what it is told to start and copies the view onto its controls.
#include <string>

#include "net/update/UpdateInfo.h"

namespace vorlix {

enum class UpdatePageStage { Checking, UpToDate, Offered, Downloading, Failed, HandedOver };

// What the page's controls show.
struct UpdatePageView {
  bool linkVisible = false;    // "有可更新版本"
  bool statusVisible = false;  // the status line under the version
  std::wstring statusText;
  bool barVisible = false;
  int barValue = 0;  // 0 to 100
};

extern const wchar_t kUpdateStatusUpToDate[];
extern const wchar_t kUpdateStatusDownloading[];
extern const wchar_t kUpdateStatusFailed[];

class CUpdatePageState {
 public:
  explicit CUpdatePageState(std::string localVersion) : m_localVersion(std::move(localVersion)) {}

  // The answer the main window got at start-up, and whether the page asks again itself. Returns whether
  // to start a check.
  bool Init(const std::string& handedOverAnswer, bool startCheck);
  // The page's own check ended. An answer that is not a usable one keeps what the page knew.
  void OnCheckAnswer(const std::string& answer);
  // The link was clicked. Returns whether to start downloading Info().url; never while a download runs.
  bool OnLinkClicked();
  // A progress report with its percent text (empty before the speed is known) and the announced size.
  void OnProgress(const std::string& percentText, long long announcedTotal);
  // The download ended with the engine's result and the size of the file it left (-1: none). Returns
  // whether the installer may be handed over: only a finished transfer whose file is there and, when the
  // server announced a size, exactly that large.
  bool OnDownloadDone(int result, long long fileSize);

  // A worker runs (a check or a download) that closing the page has to stop.
  bool IsBusy() const { return m_stage == UpdatePageStage::Checking || m_stage == UpdatePageStage::Downloading; }
  UpdatePageStage Stage() const { return m_stage; }
  const UpdateInfo& Info() const { return m_info; }
  const UpdatePageView& View() const { return m_view; }

 private:
  // An offer needs an installer to fetch; an answer without a URL offers nothing the page could do.
  bool HasOffer() const { return m_info.needUpdate && !m_info.url.empty(); }
  void ShowOfferOrUpToDate();

  std::string m_localVersion;
  UpdateInfo m_info;
  UpdatePageStage m_stage = UpdatePageStage::UpToDate;
  UpdatePageView m_view;
  long long m_announcedTotal = 0;
};

// The integer at the start of a percent text; 0 for an empty or non-numeric text; clamped to 0..100.
int PercentFromText(const std::string& percentText);

}  // namespace vorlix

#include "recording/win32/UploadQueueThread.h"

#include <atomic>
#include <chrono>
#include <thread>

#include "config/Settings.h"
#include "recording/CCutVideoServices.h"
#include "recording/UploadQueueResume.h"

namespace vorlix {
namespace {

constexpr auto kPassInterval = std::chrono::minutes(3);
std::atomic<bool> g_recording{false};

}  // namespace

void SetUploadQueueRecording(bool recording) {
  if (g_recording.exchange(recording) != recording) UploadQueueHolds() += recording ? 1 : -1;
}

void StartUploadQueueResume(HWND target) {
  static std::atomic<bool> started{false};
  if (started.exchange(true)) return;
  std::thread([target] {
    CCutVideoServices services([target](unsigned message, uintptr_t wParam, intptr_t lParam) {
      PostMessageW(target, message, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam));
    });
    for (;;) {
      if (UploadQueueHolds().load() == 0) RunUploadQueuePass(ProgramUploadQueue(), services, GetUserId());
      std::this_thread::sleep_for(kPassInterval);
    }
  }).detach();
}

}  // namespace vorlix

#pragma once
// The program's upload queue and the pass that finishes what it holds: at start-up and every few
// minutes while no session records and no cut worker runs, every due clip is resumed from its last
// confirmed block and registered.
#include <atomic>
#include <string>

#include "recording/CCutVideoJob.h"
#include "recording/UploadQueue.h"

namespace vorlix {

// <program folder>\Config\upload-queue.journal, read once on first use.
CUploadQueue& ProgramUploadQueue();

// Set while a session records or a cut worker runs; a pass is not started then, so the queue never
// competes with the recorder for the disk or with the cut worker for the main window's progress.
std::atomic<int>& UploadQueueHolds();

struct QueuePassOutcome {
  int tried = 0;       // clips worked on
  int registered = 0;  // of them, registered and removed
  int waiting = 0;     // clips still waiting afterwards (refused ones not counted)
};

// One pass over the due clips, in queue order. Tells the main window WM_UPLOAD_QUEUE with the clips
// waiting and the current clip's percent (shell/WindowMessages.h), and WM_CLIP_SAVED per registered
// clip. A clip refused for good stays listed and is not tried again.
QueuePassOutcome RunUploadQueuePass(CUploadQueue& queue, ICutVideoSeams& seams, const std::wstring& userId);

// What the main window's status line and the tray tip say while clips wait: "N 个视频等待上传", with
// the current clip's percent appended as " 37%" when one is being sent (percent >= 0); empty for none.
std::wstring WaitingUploadsText(int waiting, int percent);

}  // namespace vorlix

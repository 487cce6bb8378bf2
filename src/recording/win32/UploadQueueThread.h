#pragma once
// The upload queue's resume thread, as the main window starts it.
#include <windows.h>

namespace vorlix {

// Starts once per process (later calls do nothing) a detached thread that runs a pass over the
// program's upload queue at once and then every three minutes, skipping a pass while a session
// records or a cut worker runs. Its messages (WM_UPLOAD_QUEUE, WM_CLIP_SAVED) are posted to target.
void StartUploadQueueResume(HWND target);

// The main window tells the thread when a session starts and ends recording; no pass starts while
// recording (a pass already running finishes its current clip and stops).
void SetUploadQueueRecording(bool recording);

}  // namespace vorlix

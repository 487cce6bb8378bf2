#pragma once
// The cut worker's thread and the cloud page, as the main window starts them.
#include <windows.h>

#include <atomic>
#include <memory>

#include "recording/RecordSegment.h"

namespace vorlix {

// Runs CCutVideoJob over the session on a detached thread that owns the data; its messages
// (shell/WindowMessages.h) are posted to target. Setting *cancel stops it before its next clip.
void StartCutVideoThread(HWND target, SessionData data, std::shared_ptr<std::atomic<bool>> cancel);

// Opens the user's cloud page (stored id, token and secret) in the default browser.
void OpenCloud();

}  // namespace vorlix

#pragma once
// The two reports as their callers send them: an event report on a thread of its own that the caller
// waits for, and the device report on a detached thread. Results only go to the given sink (the run log).
#include <functional>
#include <string>

namespace vorlix::net {

// Sends the event ("start", "startRec", "reRec", "uploadRec", "login") with the program's version text and
// the current time, through the process request object; returns when the request has ended.
int SendEventReport(const std::string& eventName);

// Gathers the device facts (texts in the narrow code page) and posts them from a detached thread; the
// sink receives the transport result and the answer body.
void StartDeviceReport(std::function<void(int result, const std::string& answer)> sink);

}  // namespace vorlix::net

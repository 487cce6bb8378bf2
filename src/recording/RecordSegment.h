#pragma once
// One recorder run of a session, and what a stopped session hands to the cut worker.
//
// The whole-second fields are the ones the log lines, the clip names and the registration record use
// (peers read them). Whole seconds alone lose up to two seconds of the moment the user marked, so the
// program also carries every moment in milliseconds and the probed duration with its fraction; the cut
// arithmetic works on those.
#include <cstdint>
#include <string>
#include <vector>

namespace vorlix {

struct RecordSegment {
  std::wstring name;        // "<user id>_original_<nStartTime>", the recording's file name without ".mp4"
  int32_t nStartTime = 0;   // launch of the recorder, seconds since 1970
  int32_t nStopTime = 0;    // stop of the recorder, 0 while it runs
  int32_t duration = 0;     // probed length of the file, whole seconds (cut worker)
  int32_t nDelay = 0;       // (nStopTime - nStartTime) - duration (cut worker)

  int64_t startMs = 0;      // the same moments in milliseconds since 1970
  int64_t stopMs = 0;
  double durationSeconds = 0;  // probed length with its fraction
  double delaySeconds = 0;     // (stopMs - startMs) / 1000 - durationSeconds
};

// What StopRecord with clip production hands over: the worker owns it from then on, so a new session
// started while clips are still processed cannot change the lists under the worker.
struct SessionData {
  std::wstring videoFolder;           // GetVideoSavePath at the stop
  std::wstring userId;                // GetUserId at the stop, made safe for file names (SafeFileNamePart)
  std::vector<RecordSegment> segments;
  std::vector<int64_t> momentsMs;     // replay moments in the order marked, milliseconds since 1970
};

}  // namespace vorlix

#pragma once
// The texts a download's progress report carries.
#include <string>

namespace plHttp {

struct ProgressTexts {
  std::string speed;      // "1.50 KB/s"
  std::string remaining;  // "00:01:05", empty while the speed is 0
  std::string percent;    // "42", empty while the speed is 0
};

std::string FormatSpeedText(double bytesPerSecond);

// bodyTotal/bodyDone count this transfer's body; offset the bytes already held from an earlier attempt.
ProgressTexts MakeProgressTexts(double bytesPerSecond, double bodyTotal, double bodyDone, double offset);

}  // namespace plHttp

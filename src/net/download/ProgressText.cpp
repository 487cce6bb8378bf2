#include "net/download/ProgressText.h"

#include <cstdio>

namespace plHttp {

std::string FormatSpeedText(double speed) {
  const char* unit = "B";
  if (speed > 1073741824.0) {
    unit = "G";
    speed /= 1073741824.0;
  } else if (speed > 1048576.0) {
    unit = "MB";
    speed /= 1048576.0;
  } else if (speed > 1024.0) {
    unit = "KB";
    speed /= 1024.0;
  }
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.2f %s/s", speed, unit);
  return buf;
}

ProgressTexts MakeProgressTexts(double speed, double bodyTotal, double bodyDone, double offset) {
  ProgressTexts t;
  t.speed = FormatSpeedText(speed);
  if (speed != 0) {
    char buf[32];
    double total = offset + bodyTotal, done = offset + bodyDone;
    std::snprintf(buf, sizeof buf, "%d", static_cast<int>(done / total * 100.0));
    t.percent = buf;
    double r = (bodyTotal - bodyDone) / speed;
    int hours = static_cast<int>(r / 3600);
    r -= hours * 3600.0;
    int minutes = static_cast<int>(r / 60);
    int seconds = static_cast<int>(r - minutes * 60.0);
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", hours, minutes, seconds);
    t.remaining = buf;
  }
  return t;
}

}  // namespace plHttp

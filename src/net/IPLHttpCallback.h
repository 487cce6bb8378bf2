#pragma once
// The listener of the request object's downloads: progress and the download's log lines.
#include <string>

namespace plHttp {

class IPLHttpCallback {
 public:
  virtual ~IPLHttpCallback() = default;
  virtual void onProgressCallback(const std::string& speed, const std::string& remaining, const std::string& percent,
                                  double total, double done, double uploadTotal, double uploadDone) = 0;
  virtual void OnLog(const std::string& line) {}
};

}  // namespace plHttp

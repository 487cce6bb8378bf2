#pragma once
// The cut worker's real surroundings: ffmpeg through the command runner, the cloud-storage client, the
// service's registration request, the event report and the program's standard output. Only the way
// messages reach the main window differs per platform, so it is handed in.
#include <functional>

#include "recording/CCutVideoJob.h"

namespace vorlix {

class CCutVideoServices : public ICutVideoSeams {
 public:
  using PostFunction = std::function<void(unsigned message, uintptr_t wParam, intptr_t lParam)>;
  explicit CCutVideoServices(PostFunction post) : m_post(std::move(post)) {}

  int64_t ProbeDurationMs(const std::wstring& recordingPath) override;
  void RunCut(const std::string& commandLine) override;
  int Upload(const std::string& key, const std::wstring& localFile, const net::BlockProgress& notify,
             net::PutResult& result) override;
  int UploadResuming(const std::string& key, const std::wstring& localFile, const std::vector<std::string>& confirmed,
                     const std::function<void(int, const std::string&)>& blockDone, const net::BlockProgress& notify,
                     net::PutResult& result) override;
  int RegisterCloudVideo(const std::string& json) override;
  void ReportUploadEvent() override;
  std::string CdnBaseUrl() override;
  void Post(unsigned message, uintptr_t wParam, intptr_t lParam) override;
  void PrintOut(const std::string& text) override;

 private:
  PostFunction m_post;
};

}  // namespace vorlix

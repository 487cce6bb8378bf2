#include "recording/CCutVideoServices.h"

#include <cstdio>

#include "net/Endpoints.h"
#include "net/PLObject.h"
#include "net/Reports.h"
#include "recording/CommandRunner.h"
#include "recording/VideoProbe.h"

namespace vorlix {

int64_t CCutVideoServices::ProbeDurationMs(const std::wstring& recordingPath) {
  return GetVideoDurationMs(recordingPath);
}

void CCutVideoServices::RunCut(const std::string& commandLine) { ExecCmd(commandLine); }

int CCutVideoServices::Upload(const std::string& key, const std::wstring& localFile,
                              const net::BlockProgress& notify, net::PutResult& result) {
  return net::UploadToCloud(key, localFile, notify, result);
}

int CCutVideoServices::UploadResuming(const std::string& key, const std::wstring& localFile,
                                      const std::vector<std::string>& confirmed,
                                      const std::function<void(int, const std::string&)>& blockDone,
                                      const net::BlockProgress& notify, net::PutResult& result) {
  return net::UploadToCloudResuming(key, localFile, confirmed, blockDone, notify, result);
}

int CCutVideoServices::RegisterCloudVideo(const std::string& json) {
  return plHttp::GetPLObject().RegisterCloudVideo(json);
}

void CCutVideoServices::ReportUploadEvent() { net::SendEventReport("uploadRec"); }

std::string CCutVideoServices::CdnBaseUrl() { return net::GetCloudCdnBaseUrl(); }

void CCutVideoServices::Post(unsigned message, uintptr_t wParam, intptr_t lParam) {
  if (m_post) m_post(message, wParam, lParam);
}

void CCutVideoServices::PrintOut(const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fflush(stdout);
}

}  // namespace vorlix

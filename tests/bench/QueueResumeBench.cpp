// What scripts/bench-queue-resume measures: a clip whose upload the storage broke off at a given share of
// its blocks, resumed from the upload queue; the bytes the storage received on the resume (its request
// log's body lengths) against the bytes still missing, and against a restart from zero.
//   queue_resume_bench <clip file> <percent>      (VORLIX_SERVICE_URL names the development service)
#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/FileSystem.h"
#include "base/TextConv.h"
#include "recording/CCutVideoServices.h"
#include "recording/UploadQueue.h"
#include "support/DevServiceClient.h"

using namespace vorlix;

namespace {

class CLaterServices : public CCutVideoServices {
 public:
  CLaterServices() : CCutVideoServices(nullptr) {}
  // Past any back-off: the bench measures the resume, not the wait.
  int64_t NowMs() override { return CCutVideoServices::NowMs() + 24LL * 3600 * 1000; }
  void PrintOut(const std::string&) override {}
  void ReportUploadEvent() override {}
};

long long UploadBytesSince(long long id, long long& lastId) {
  long long bytes = 0;
  for (const char* route : {"mkblk", "bput"}) {
    const Json::Value recorded = test::Control("GET", "requests?route=" + std::string(route) + "&since=" +
                                                          std::to_string(id));
    for (const Json::Value& r : recorded["requests"]) {
      if (r["id"].asInt64() <= id) continue;
      if (r["status"].asInt() == 200) bytes += r["body_length"].asInt64();
      if (r["id"].asInt64() > lastId) lastId = r["id"].asInt64();
    }
  }
  return bytes;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: queue_resume_bench <clip file> <percent>\n");
    return 2;
  }
  const std::wstring file = Utf8ToWide(argv[1]);
  const int percent = std::atoi(argv[2]);
  const long long size = FileSize(file);
  if (size <= 0) return 2;
  const int blocks = net::CloudBlockCount(size);
  const int failBlock = blocks * percent / 100;
  test::Control("POST", "reset");
  Json::Value login;
  login["phone"] = "13800138051";
  test::Control("POST", "login", login);
  Json::Value cfg;
  cfg["upload"]["fail_block"] = failBlock;
  cfg["upload"]["fail_count"] = 1;
  cfg["upload"]["fail_status"] = 503;
  test::Control("POST", "config", cfg);

  const std::wstring journal = file + L".journal";
  RemoveFile(journal);
  QueuedClip clip;
  clip.key = WideToAnsi(file.substr(file.find_last_of(L"/\\") + 1));
  clip.localFile = file;
  clip.momentMs = 1700000000000;
  clip.size = size;
  CLaterServices services;
  {
    CUploadQueue queue(journal);
    if (!queue.Add(clip)) return 1;
    SessionData data;
    CCutVideoJob job(data, services, nullptr, &queue);
    job.DeliverQueued(clip.key);
  }
  long long lastId = 0;
  const long long first = UploadBytesSince(0, lastId);
  Json::Value healthy;
  healthy["upload"]["fail_block"] = Json::Value();
  test::Control("POST", "config", healthy);

  CUploadQueue reopened(journal);
  if (!reopened.Load()) return 1;
  QueuedClip stored;
  reopened.Find(clip.key, stored);
  SessionData data;
  CCutVideoJob job(data, services, nullptr, &reopened);
  // The registration is not what is measured; the upload must have finished either way.
  job.DeliverQueued(clip.key);
  long long ignored = 0;
  const long long resumed = UploadBytesSince(lastId, ignored);
  const long long remaining = size - static_cast<long long>(stored.contexts.size()) * net::kCloudBlockSize;
  const long long extra = resumed - remaining;
  std::printf("clip %lld bytes in %d blocks, broken off at block %d (%d %%); confirmed before the break: %zu blocks\n",
              size, blocks, failBlock + 1, percent, stored.contexts.size());
  std::printf("first attempt sent %lld bytes\n", first);
  std::printf("resume sent %lld bytes; still missing were %lld bytes; extra %lld bytes = %.2f blocks\n", resumed,
              remaining, extra, static_cast<double>(extra) / static_cast<double>(net::kCloudBlockSize));
  std::printf("ratio resume / missing: %.3f; restart from zero / missing: %.3f\n",
              static_cast<double>(resumed) / static_cast<double>(remaining),
              static_cast<double>(size) / static_cast<double>(remaining));
  RemoveFile(journal);
  return extra <= net::kCloudBlockSize ? 0 : 1;
}

// The program's two bulk transfers as a command, for scripts/bench to time beside curl:
//   transfer_bench download URL FOLDER NAME        the installer download engine
//   transfer_bench upload HOST TOKEN KEY FILE      the block upload client
// Exit status 0 on success; the result code is printed otherwise.
#include <curl/curl.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "base/TextConv.h"
#include "net/CloudUpload.h"
#include "net/download/TransferEngine.h"

int main(int argc, char** argv) {
  curl_global_init(CURL_GLOBAL_ALL);
  int result = -1;
  if (argc == 5 && std::strcmp(argv[1], "download") == 0) {
    plHttp::TransferEngine engine;
    result = engine.DownloadFile(argv[2], vorlix::Utf8ToWide(argv[3]), vorlix::Utf8ToWide(argv[4]));
  } else if (argc == 6 && std::strcmp(argv[1], "upload") == 0) {
    vorlix::net::PutResult put;
    int code = vorlix::net::CloudPutFile(argv[2], argv[3], argv[4], vorlix::Utf8ToWide(argv[5]),
                                         vorlix::net::PutExtra(), put);
    result = code == vorlix::net::kCloudUploadOk ? 0 : code;
    if (result == 0) std::printf("%s\n", put.hash.c_str());
  } else {
    std::fprintf(stderr, "usage: transfer_bench download URL FOLDER NAME | upload HOST TOKEN KEY FILE\n");
    return 2;
  }
  curl_global_cleanup();
  if (result != 0) std::fprintf(stderr, "result %d\n", result);
  return result == 0 ? 0 : 1;
}

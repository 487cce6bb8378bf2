#pragma once
// Our client of the cloud storage's block upload protocol (what the clip upload needs, nothing more):
//   POST <host>/mkblk/<blockSize>            first chunk of a block       -> {"ctx", "offset", ...}
//   POST <host>/bput/<ctx>/<offset>          each further chunk           -> {"ctx", "offset", ...}
//   POST <host>/mkfile/<fileSize>/key/<b64>  the blocks' last contexts, comma-joined -> {"hash", "key"}
// every request with "Authorization: UpToken <token>". Blocks are 4 MiB (the last one shorter); the file
// is read one chunk at a time, so memory stays bounded by one chunk whatever the file size.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vorlix::net {

inline constexpr std::int64_t kCloudBlockSize = 4 * 1024 * 1024;
inline constexpr int kCloudUploadOk = 200;
// Result codes besides the storage's HTTP statuses (which are returned as they are).
inline constexpr int kCloudLocalFileError = -1000;  // the local file cannot be opened or read
inline constexpr int kCloudBadAnswer = -1001;       // a 200 answer without the expected members, or a
                                                    // chunk the storage received damaged
// A transfer that failed in libcurl returns -(CURLcode).

// Called after every chunk that the storage accepted: block index, the block's size, the bytes of that
// block sent so far.
using BlockProgress = std::function<void(int blockIndex, std::int64_t blockSize, std::int64_t blockSent)>;

struct PutExtra {
  BlockProgress notify;
  std::int64_t chunkSize = 1024 * 1024;  // at most kCloudBlockSize
  // The last contexts of the leading blocks that the storage confirmed in an earlier attempt, in block
  // order: those blocks are not read or sent again (and count as sent for notify).
  std::vector<std::string> confirmed;
  // Called once a block is complete with its last context, so a caller can keep it and resume there.
  std::function<void(int blockIndex, const std::string& ctx)> blockDone;
};

struct PutResult {
  std::string hash;
  std::string key;
};

int CloudBlockCount(std::int64_t fileSize);
// CRC-32 (IEEE 802.3, as zlib computes it), checked against the storage's answer for every chunk.
std::uint32_t Crc32(const char* data, std::size_t size);

// Uploads the file under key; returns kCloudUploadOk (200) when the storage stored it.
// host is the upload host's scheme and authority (net/Endpoints.h GetUploadHostUrl()).
int CloudPutFile(const std::string& host, const std::string& token, const std::string& key,
                 const std::wstring& localFile, const PutExtra& extra, PutResult& result);

// The clip upload as the program makes it: a token for the built-in key pair and bucket "video-cloud"
// (valid for an hour), the configured upload host, the given key.
int UploadToCloud(const std::string& key, const std::wstring& localFile, const BlockProgress& notify,
                  PutResult& result);
// The same, resuming after the given confirmed blocks and reporting each block the storage completes.
int UploadToCloudResuming(const std::string& key, const std::wstring& localFile,
                          const std::vector<std::string>& confirmed,
                          const std::function<void(int blockIndex, const std::string& ctx)>& blockDone,
                          const BlockProgress& notify, PutResult& result);

}  // namespace vorlix::net

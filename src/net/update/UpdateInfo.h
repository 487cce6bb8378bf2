#pragma once
// What the update screen keeps of an update-check answer, and the rule that decides whether to update.
#include <string>

namespace vorlix {

struct UpdateInfo {
  std::string resultText;
  bool needUpdate = false;
  std::wstring description;  // "modifyDesc"
  std::string url;           // the installer
  // "sha256": the installer's SHA-256 as 64 hex digits (lowercase here) when the service sends it;
  // empty when it does not. A present but malformed value is kept as it is, so no file can match it.
  std::string sha256;
};

// Reads a check answer. Any difference between the service's versionCode and the local version text means
// an update: it is the service that decides which build users should run, also to roll one back. An answer
// that is not JSON, not a success, or without a text versionCode leaves the information as it was.
void ParseUpdateInfo(const std::string& resultText, const std::string& localVersion, UpdateInfo& info);

}  // namespace vorlix

#include "base/FileSystem.h"

namespace vorlix {

bool CreateDirectories(const std::wstring& path) {
  if (path.empty() || DirectoryExists(path)) return !path.empty();
  // Walk the separators from the front; on Windows both kinds separate.
  for (size_t i = 1; i < path.size(); ++i) {
    if (path[i] != L'/' && path[i] != PathSeparator()) continue;
    std::wstring prefix = path.substr(0, i);
    if (!prefix.empty() && prefix.back() != L':' && !DirectoryExists(prefix)) CreateOneDirectory(prefix);
  }
  return CreateOneDirectory(path) || DirectoryExists(path);
}

}  // namespace vorlix

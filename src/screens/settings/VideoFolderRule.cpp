#include "screens/settings/VideoFolderRule.h"

#include "base/TextConv.h"

namespace vorlix {

namespace {
// MAX_PATH less the terminator.
constexpr std::size_t kMaxPathChars = 259;
}  // namespace

bool PathSurvivesNarrowCodePage(const std::wstring& path) { return AnsiToWide(WideToAnsi(path)) == path; }

bool FolderPathToStore(const std::wstring& chosen, std::wstring& stored, const PathStorableCheck& storable) {
  std::wstring path = chosen;
  while (!path.empty() && path.back() == L'\\') path.pop_back();
  if (path.empty() || path.size() > kMaxPathChars) return false;
  if (storable && !storable(path)) return false;
  stored = path;
  return true;
}

}  // namespace vorlix

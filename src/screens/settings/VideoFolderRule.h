#pragma once
// Which text the record page stores for a folder the user picked in the folder browser.
#include <functional>
#include <string>

namespace vorlix {

// Whether a path survives the settings file (it holds text in the system's narrow code page).
using PathStorableCheck = std::function<bool(const std::wstring&)>;
bool PathSurvivesNarrowCodePage(const std::wstring& path);

// The chosen folder without trailing backslashes ("D:\" becomes "D:"), in stored. False when nothing
// may be stored: an empty path, one of backslashes only, one too long for the system's paths, or one
// the settings file would mangle (recordings would then go to a folder the user never chose).
bool FolderPathToStore(const std::wstring& chosen, std::wstring& stored,
                       const PathStorableCheck& storable = PathSurvivesNarrowCodePage);

}  // namespace vorlix

#pragma once
// The program's settings and the session, one getter and one setter per key of Config\Config.ini.
// Nothing is cached: every getter reads the file and every setter writes it at once, so any thread sees
// what another just wrote.
#include <cstdint>
#include <string>

// <windows.h> maps GetUserName to the system's GetUserNameW; the getter keeps its own name.
#ifdef GetUserName
#undef GetUserName
#endif

namespace vorlix {

enum class HotkeySlot { StartStop, Replay };

// The executable's folder with its trailing separator.
const std::wstring& GetAppDirectory();
// Full path of Config.ini; creates the Config folder when it is missing.
std::wstring GetConfigPath();

int GetMinimizeOnClose();
void SetMinimizeOnClose(bool on);
int GetConfirmQuit();
void SetConfirmQuit(bool on);

std::wstring GetVideoSavePath();
void SetVideoSavePath(const std::wstring& path);
std::wstring GetGameTitle();
void SetGameTitle(const std::wstring& title);

int GetHotkeyCtrl(HotkeySlot slot);
void SetHotkeyCtrl(HotkeySlot slot, bool on);
int GetHotkeyShift(HotkeySlot slot);
void SetHotkeyShift(HotkeySlot slot, bool on);
int GetHotkeyAlt(HotkeySlot slot);
void SetHotkeyAlt(HotkeySlot slot, bool on);
int GetHotkeyKey(HotkeySlot slot);
void SetHotkeyKey(HotkeySlot slot, int virtualKey);

std::wstring GetUserToken();
void SetUserToken(const std::wstring& token);
std::wstring GetUserSecret();
void SetUserSecret(const std::wstring& secret);
int GetLoginTime();
void SetLoginTime(int seconds);
std::wstring GetUserId();
void SetUserId(const std::wstring& id);
std::wstring GetUserName();
void SetUserName(const std::wstring& name);

// A session lasts 30 days from its login time.
constexpr int32_t kSessionSeconds = 2592000;
bool IsSessionExpired(int32_t loginTime, int32_t now);

// The default of FilePath: the user's Videos folder, empty when the system cannot name it.
std::wstring QueryVideosFolder();

}  // namespace vorlix

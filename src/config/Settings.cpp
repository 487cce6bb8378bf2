#include "config/Settings.h"

#include "base/FileSystem.h"
#include "base/TextConv.h"
#include "config/CIniFile.h"

namespace vorlix {
namespace {

// String reads behave as a 260-character buffer with its terminator would.
constexpr size_t kReadChars = 259;

const char* SlotSection(HotkeySlot slot) { return slot == HotkeySlot::StartStop ? "HotKeyRecord" : "HotKeyBack"; }

std::wstring ReadString(const char* section, const char* key, const std::wstring& def) {
  std::string raw;
  if (!CIniFile::ReadValue(GetConfigPath(), section, key, raw)) return CIniFile::DefaultOf(def).substr(0, kReadChars);
  std::wstring v = AnsiToWide(raw);
  if (v.size() > kReadChars) v.resize(kReadChars);
  return v;
}

int ReadInt(const char* section, const char* key, int def) {
  std::string raw;
  if (!CIniFile::ReadValue(GetConfigPath(), section, key, raw) || raw.empty()) return def;
  return CIniFile::ParseInt(raw);
}

void WriteString(const char* section, const char* key, const std::wstring& value) {
  CIniFile::WriteValue(GetConfigPath(), section, key, WideToAnsi(value));
}

void WriteInt(const char* section, const char* key, int value) {
  CIniFile::WriteValue(GetConfigPath(), section, key, std::to_string(value));
}

void WriteFlag(const char* section, const char* key, bool on) {
  CIniFile::WriteValue(GetConfigPath(), section, key, on ? "1" : "0");
}

}  // namespace

const std::wstring& GetAppDirectory() {
  static const std::wstring dir = [] {
    std::wstring p = GetModulePath();
    size_t cut = p.find_last_of(PathSeparator());
    return cut == std::wstring::npos ? std::wstring() : p.substr(0, cut + 1);
  }();
  return dir;
}

std::wstring GetConfigPath() {
  std::wstring folder = GetAppDirectory() + L"Config";
  if (!DirectoryExists(folder)) CreateOneDirectory(folder);
  return folder + PathSeparator() + L"Config.ini";
}

int GetMinimizeOnClose() { return ReadInt("Misc", "MinimizeOnClose", 1); }
void SetMinimizeOnClose(bool on) { WriteFlag("Misc", "MinimizeOnClose", on); }
int GetConfirmQuit() { return ReadInt("Misc", "ConfirmQuit", 1); }
void SetConfirmQuit(bool on) { WriteFlag("Misc", "ConfirmQuit", on); }

std::wstring GetVideoSavePath() {
  static const std::wstring videos = QueryVideosFolder();
  return ReadString("SimpleOutput", "FilePath", videos);
}
void SetVideoSavePath(const std::wstring& path) { WriteString("SimpleOutput", "FilePath", path); }
std::wstring GetGameTitle() { return ReadString("SimpleOutput", "GameTitle", L""); }
void SetGameTitle(const std::wstring& title) { WriteString("SimpleOutput", "GameTitle", title); }

int GetHotkeyCtrl(HotkeySlot slot) { return ReadInt(SlotSection(slot), "Ctrl", 0); }
void SetHotkeyCtrl(HotkeySlot slot, bool on) { WriteFlag(SlotSection(slot), "Ctrl", on); }
int GetHotkeyShift(HotkeySlot slot) { return ReadInt(SlotSection(slot), "Shift", 1); }
void SetHotkeyShift(HotkeySlot slot, bool on) { WriteFlag(SlotSection(slot), "Shift", on); }
int GetHotkeyAlt(HotkeySlot slot) { return ReadInt(SlotSection(slot), "Alt", 0); }
void SetHotkeyAlt(HotkeySlot slot, bool on) { WriteFlag(SlotSection(slot), "Alt", on); }
int GetHotkeyKey(HotkeySlot slot) {
  return ReadInt(SlotSection(slot), "HotKey", slot == HotkeySlot::StartStop ? 122 : 121);
}
void SetHotkeyKey(HotkeySlot slot, int virtualKey) { WriteInt(SlotSection(slot), "HotKey", virtualKey); }

std::wstring GetUserToken() { return ReadString("User", "Token", L""); }
void SetUserToken(const std::wstring& token) { WriteString("User", "Token", token); }
std::wstring GetUserSecret() { return ReadString("User", "Secret", L""); }
void SetUserSecret(const std::wstring& secret) { WriteString("User", "Secret", secret); }
int GetLoginTime() { return ReadInt("User", "Date", 0); }
void SetLoginTime(int seconds) { WriteInt("User", "Date", seconds); }
std::wstring GetUserId() { return ReadString("User", "UserId", L""); }
void SetUserId(const std::wstring& id) { WriteString("User", "UserId", id); }
std::wstring GetUserName() { return ReadString("User", "UserName", L""); }
void SetUserName(const std::wstring& name) { WriteString("User", "UserName", name); }

bool IsSessionExpired(int32_t loginTime, int32_t now) {
  return static_cast<int64_t>(now) >= static_cast<int64_t>(loginTime) + kSessionSeconds;
}

}  // namespace vorlix

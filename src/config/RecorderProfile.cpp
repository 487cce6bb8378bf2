#include "config/RecorderProfile.h"

#include <json/json.h>

#include <iterator>
#include <string>

#include "base/FileSystem.h"
#include "config/CIniFile.h"

namespace vorlix {
namespace {

std::wstring UnderRoaming(const wchar_t* relative) {
  std::wstring path = GetRoamingAppDataPath() + relative;
  // The relative parts are fixed with backslashes; a platform with another separator uses its own.
  for (wchar_t& c : path)
    if (c == L'\\') c = PathSeparator();
  return path;
}

int ReadProfileInt(const char* section, const char* key, int def) {
  std::string raw;
  if (!CIniFile::ReadValue(GetRecorderProfilePath(), section, key, raw) || raw.empty()) return def;
  return CIniFile::ParseInt(raw);
}

void WriteProfileInt(const char* section, const char* key, int value) {
  CIniFile::WriteValue(GetRecorderProfilePath(), section, key, std::to_string(value));
}

// The legacy reader and compact writer are the ones whose behaviour the scene file relies on (comments
// allowed, one line with a final line feed); the library marks them deprecated.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
bool ParseScene(const std::string& bytes, Json::Value& root) {
  try {
    Json::Reader reader;
    return reader.parse(bytes, root, true);
  } catch (...) {
    return false;
  }
}

// The scene with every byte that is not part of well-formed UTF-8 (overlong forms, surrogates, values past
// U+10FFFF included) replaced by U+FFFD. The JSON writer would otherwise re-encode such bytes differently
// at every rewrite; replaced once, a rewrite is stable and the microphone can still be switched.
std::string WithBrokenUtf8Replaced(const std::string& bytes) {
  std::string out;
  out.reserve(bytes.size());
  size_t i = 0;
  const size_t n = bytes.size();
  while (i < n) {
    const unsigned char c = static_cast<unsigned char>(bytes[i]);
    if (c < 0x80) {
      out += static_cast<char>(c);
      ++i;
      continue;
    }
    int more = 0;
    unsigned long cp = 0;
    if (c >= 0xC2 && c <= 0xDF) {
      more = 1;
      cp = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
      more = 2;
      cp = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
      more = 3;
      cp = c & 0x07;
    }
    bool good = more > 0 && i + more < n;
    for (int k = 1; good && k <= more; ++k) {
      const unsigned char d = static_cast<unsigned char>(bytes[i + k]);
      good = (d & 0xC0) == 0x80;
      cp = (cp << 6) | (d & 0x3F);
    }
    if (good && ((more == 2 && cp < 0x800) || (more == 3 && (cp < 0x10000 || cp > 0x10FFFF)) ||
                 (cp >= 0xD800 && cp <= 0xDFFF))) {
      good = false;
    }
    if (good) {
      out.append(bytes, i, more + 1);
      i += more + 1;
    } else {
      out += "\xEF\xBF\xBD";
      ++i;
    }
  }
  return out;
}

std::string CompactScene(const Json::Value& root) {
  Json::FastWriter writer;
  return writer.write(root);
}
#pragma GCC diagnostic pop

// The "muted" member, when the document has it where the recorder keeps it.
Json::Value* FindMuted(Json::Value& root) {
  if (!root.isObject()) return nullptr;
  if (!root.isMember("AuxAudioDevice1")) return nullptr;
  Json::Value& device = root["AuxAudioDevice1"];
  if (!device.isObject() || !device.isMember("muted")) return nullptr;
  return &device["muted"];
}

int IndexOf(const int* values, int count, int value) {
  for (int i = 0; i < count; ++i)
    if (values[i] == value) return i;
  return -1;
}

}  // namespace

const std::wstring& GetRecorderProfilePath() {
  static const std::wstring path = UnderRoaming(L"\\vorlix\\basic\\profiles\\gamer\\basic.ini");
  return path;
}

const std::wstring& GetRecorderScenePath() {
  static const std::wstring path = UnderRoaming(L"\\vorlix\\basic\\scenes\\gamer.json");
  return path;
}

void SetCanvasWidth(int pixels) { WriteProfileInt("Video", "BaseCX", pixels); }
void SetCanvasHeight(int pixels) { WriteProfileInt("Video", "BaseCY", pixels); }
void SetOutputWidth(int pixels) { WriteProfileInt("Video", "OutputCX", pixels); }
void SetOutputHeight(int pixels) { WriteProfileInt("Video", "OutputCY", pixels); }
int GetOutputWidth() { return ReadProfileInt("Video", "OutputCX", 0); }
int GetOutputHeight() { return ReadProfileInt("Video", "OutputCY", 0); }
int GetVideoBitrate() { return ReadProfileInt("SimpleOutput", "VBitrate", 0); }
void SetVideoBitrate(int kbps) { WriteProfileInt("SimpleOutput", "VBitrate", kbps); }
int GetFrameRate() { return ReadProfileInt("Video", "FPSCommon", 60); }
void SetFrameRate(int fps) { WriteProfileInt("Video", "FPSCommon", fps); }

bool IsMicrophoneEnabled() {
  Json::Value root;
  if (!ParseScene(profile::ReadWholeFile(GetRecorderScenePath()), root)) return false;
  Json::Value* muted = FindMuted(root);
  if (!muted || !(muted->isBool() || muted->isNumeric())) return false;
  return !muted->asBool();
}

void SetMicrophoneEnabled(bool enabled) {
  Json::Value root;
  if (!ParseScene(WithBrokenUtf8Replaced(profile::ReadWholeFile(GetRecorderScenePath())), root)) return;
  if (Json::Value* muted = FindMuted(root)) *muted = Json::Value(!enabled);
  std::string bytes;
  try {
    bytes = CompactScene(root);
  } catch (...) {
    return;
  }
  profile::WriteWholeFile(GetRecorderScenePath(), bytes);
}

void SetOutputResolution(const ResolutionPreset& preset) {
  SetOutputWidth(preset.width);
  SetOutputHeight(preset.height);
}

int ChosenResolutionPreset(int storedOutputHeight) {
  int i = 0;
  for (const ResolutionPreset& p : kResolutionPresets) {
    if (p.height == storedOutputHeight) return i;
    ++i;
  }
  return -1;
}

int ChosenBitratePreset(int storedBitrate) {
  return IndexOf(kBitratePresets, static_cast<int>(std::size(kBitratePresets)), storedBitrate);
}

int ChosenFrameRatePreset(int storedFrameRate) { return storedFrameRate == 30 ? 0 : 1; }

}  // namespace vorlix

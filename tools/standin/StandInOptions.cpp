#include "standin/StandInOptions.h"

namespace vorlix::standin {
namespace {

bool ReadInt(const std::wstring& text, int low, int high, int* out) {
  if (text.empty() || text.size() > 9) return false;
  int v = 0;
  for (wchar_t c : text) {
    if (c < L'0' || c > L'9') return false;
    v = v * 10 + (c - L'0');
  }
  if (v < low || v > high) return false;
  *out = v;
  return true;
}

bool ReadSigned(const std::wstring& text, bool allowNegative, int low, int high, int* out) {
  const bool negative = allowNegative && !text.empty() && text[0] == L'-';
  if (!ReadInt(negative ? text.substr(1) : text, negative ? 0 : low, high, out)) return false;
  if (negative) *out = -*out;
  return true;
}

// "AxB" or "A,B" into two numbers; a position may be negative (left of or above the main screen).
bool ReadPair(const std::wstring& text, wchar_t sep, bool allowNegative, int low, int high, int* a, int* b) {
  const size_t at = text.find(sep);
  if (at == std::wstring::npos) return false;
  return ReadSigned(text.substr(0, at), allowNegative, low, high, a) &&
         ReadSigned(text.substr(at + 1), allowNegative, low, high, b);
}

}  // namespace

bool ParseStandInOptions(const std::vector<std::wstring>& args, StandInOptions* out, std::wstring* error) {
  StandInOptions o;
  constexpr int kDay = 24 * 3600 * 1000;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::wstring& name = args[i];
    if (name.rfind(L"--", 0) != 0) {
      *error = L"unexpected argument \"" + name + L"\"";
      return false;
    }
    if (i + 1 >= args.size()) {
      *error = name + L" needs a value";
      return false;
    }
    const std::wstring& value = args[++i];
    bool ok = true;
    if (name == L"--title") {
      ok = !value.empty();
      o.title = value;
    } else if (name == L"--size") {
      ok = ReadPair(value, L'x', false, 64, 8192, &o.width, &o.height);
    } else if (name == L"--pos") {
      ok = ReadPair(value, L',', true, 0, 16384, &o.x, &o.y);
    } else if (name == L"--fps") {
      ok = ReadInt(value, 1, 240, &o.fps);
    } else if (name == L"--close-after") {
      ok = ReadInt(value, 0, kDay, &o.closeAfterMs);
    } else if (name == L"--reopen-after") {
      ok = ReadInt(value, 0, kDay, &o.reopenAfterMs);
    } else if (name == L"--exit-after") {
      ok = ReadInt(value, 0, kDay, &o.exitAfterMs);
    } else if (name == L"--start-file") {
      ok = !value.empty();
      o.startFile = value;
    } else if (name == L"--tone") {
      ok = ReadInt(value, 20, 20000, &o.toneHz);
    } else if (name == L"--hotkey-log") {
      ok = !value.empty();
      o.hotkeyLog = value;
    } else {
      *error = L"unknown switch " + name;
      return false;
    }
    if (!ok) {
      *error = L"bad value \"" + value + L"\" for " + name;
      return false;
    }
  }
  if (o.reopenAfterMs >= 0 && o.closeAfterMs < 0) {
    *error = L"--reopen-after needs --close-after";
    return false;
  }
  *out = o;
  return true;
}

}  // namespace vorlix::standin

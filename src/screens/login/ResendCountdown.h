#pragma once
// The wait before another code may be requested: 60 ticks of the screen's one-second timer, shown on
// the get-code button as white seconds.
#include <string>

namespace vorlix {

class CResendCountdown {
 public:
  static constexpr int kStart = 60;

  // One tick; true when the wait is over (the value is then back at its start).
  bool Tick();
  void Reset() { m_nValue = kStart; }
  int GetValue() const { return m_nValue; }
  // "<c #ffffff>%dS</c>" with the current value.
  std::wstring GetText() const;

  static const wchar_t* IdleText() { return L"获取"; }

 private:
  int m_nValue = kStart;
};

}  // namespace vorlix

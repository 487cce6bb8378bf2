#include "screens/login/ResendCountdown.h"

namespace vorlix {

bool CResendCountdown::Tick() {
  --m_nValue;
  if (m_nValue > 0) return false;
  Reset();
  return true;
}

std::wstring CResendCountdown::GetText() const {
  return L"<c #ffffff>" + std::to_wstring(m_nValue) + L"S</c>";
}

}  // namespace vorlix

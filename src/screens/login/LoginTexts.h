#pragma once
// What the login screen says in its message boxes. Types are the system's message-box values: 0 tells,
// 16 (MB_ICONERROR) reports a refused or failed request.
namespace vorlix {

struct LoginMessage {
  const wchar_t* text = nullptr;  // null: nothing to show
  const wchar_t* caption = nullptr;
  unsigned type = 0;
};

inline constexpr unsigned kLoginBoxInfo = 0;
inline constexpr unsigned kLoginBoxError = 16;

inline constexpr const wchar_t kLoginCaption[] = L"用户登录";
inline constexpr const wchar_t kLoginFailedCaption[] = L"登录失败";
inline constexpr const wchar_t kSendCodeFailedCaption[] = L"发送验证码失败";

inline constexpr const wchar_t kTextPhoneEmpty[] = L"用户名不能为空。";
inline constexpr const wchar_t kTextCodeEmpty[] = L"请输入密码。";
inline constexpr const wchar_t kTextFieldsMissing[] = L"出错！";
inline constexpr const wchar_t kTextLoginRefused[] = L"验证失败，请确认您的用户名或验证码是否输入正确。";
inline constexpr const wchar_t kTextSendCodeRefused[] = L"获取验证码失败，请重试！";
// An answer that never came or cannot be read: the user can do nothing but try again.
inline constexpr const wchar_t kTextNetworkFailed[] = L"网络连接失败，请检查网络后重试";

}  // namespace vorlix

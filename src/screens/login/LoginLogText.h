#pragma once
// The login screen's log lines carry no credential in clear: the verification code and the session
// values of a login answer are written as asterisks, one a character.
#include <string>

namespace vorlix {

std::wstring MaskCredential(const std::wstring& value);
// The answer as the log shows it: data."loginToken" and data."signSecret" masked in a JSON answer,
// any other text unchanged.
std::string MaskAnswerForLog(const std::string& answer);

}  // namespace vorlix

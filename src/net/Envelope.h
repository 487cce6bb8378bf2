#pragma once
// The service's answer envelope {"code", "msg", "data"} and the three result conventions of the
// endpoint operations.
#include <string>

namespace vorlix::net {

// An answer that is not a JSON document (or whose "code" is not an integer).
inline constexpr int kResultNotJson = -5001;
inline constexpr int kServiceOk = 200;

// Reads "code": true with the value (0 when missing) for a JSON document whose "code" is absent or
// an integer; false for anything else. Comments are allowed in the body.
bool ReadEnvelopeCode(const std::string& body, int& code);

// Success flag: 1 for code 200, 0 for another code, kResultNotJson for an unreadable body.
int SuccessFlagResult(const std::string& body);
// Service code: the code itself, kResultNotJson for an unreadable body.
int ServiceCodeResult(const std::string& body);

}  // namespace vorlix::net

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

// What a success-flag operation returns for a transfer that failed with libcurl's code 1
// (CURLE_UNSUPPORTED_PROTOCOL, for instance a peer that answers bytes that are not HTTP): that code
// equals the success flag, so it is never passed on as it is.
inline constexpr int kResultTransferFailed = -5002;
// Success-flag result of an operation whose transfer ended with the given transport result (net/PLObject.h):
// the transport result itself when it is not 0 (kResultTransferFailed for the one that reads as success),
// else the flag read from the body.
int SuccessFlagOfTransfer(int transport, const std::string& body);

// Success flag: 1 for code 200, 0 for another code, kResultNotJson for an unreadable body.
int SuccessFlagResult(const std::string& body);
// Service code: the code itself, kResultNotJson for an unreadable body.
int ServiceCodeResult(const std::string& body);

}  // namespace vorlix::net

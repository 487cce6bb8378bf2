#include "net/Envelope.h"

#include "base/JsonText.h"

namespace vorlix::net {

bool ReadEnvelopeCode(const std::string& body, int& code) {
  Json::Value root;
  if (!ParseJsonText(body, root)) return false;
  if (!root.isObject()) {
    // A bare number or string parses but carries no envelope: "code" reads as missing.
    code = 0;
    return true;
  }
  const Json::Value& value = root["code"];
  if (value.isNull()) {
    code = 0;
    return true;
  }
  if (!value.isInt()) return false;
  code = value.asInt();
  return true;
}

int SuccessFlagResult(const std::string& body) {
  int code = 0;
  if (!ReadEnvelopeCode(body, code)) return kResultNotJson;
  return code == kServiceOk ? 1 : 0;
}

int SuccessFlagOfTransfer(int transport, const std::string& body) {
  if (transport == 1) return kResultTransferFailed;
  if (transport != 0) return transport;
  return SuccessFlagResult(body);
}

int ServiceCodeResult(const std::string& body) {
  int code = 0;
  if (!ReadEnvelopeCode(body, code)) return kResultNotJson;
  return code;
}

}  // namespace vorlix::net

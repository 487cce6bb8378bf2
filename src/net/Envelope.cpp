#include "net/Envelope.h"

#include <json/json.h>

#include <memory>

namespace vorlix::net {

bool ReadEnvelopeCode(const std::string& body, int& code) {
  Json::CharReaderBuilder builder;
  builder["allowComments"] = true;
  builder["collectComments"] = false;
  std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
  Json::Value root;
  std::string errors;
  if (!reader->parse(body.data(), body.data() + body.size(), &root, &errors)) return false;
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

int ServiceCodeResult(const std::string& body) {
  int code = 0;
  if (!ReadEnvelopeCode(body, code)) return kResultNotJson;
  return code;
}

}  // namespace vorlix::net

#include "screens/login/LoginLogText.h"

#include <json/json.h>

#include <memory>

namespace vorlix {

std::wstring MaskCredential(const std::wstring& value) { return std::wstring(value.size(), L'*'); }

std::string MaskAnswerForLog(const std::string& answer) {
  Json::CharReaderBuilder builder;
  std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
  Json::Value root;
  std::string errors;
  if (answer.empty() || !reader->parse(answer.data(), answer.data() + answer.size(), &root, &errors) ||
      !root.isObject() || !root["data"].isObject())
    return answer;
  Json::Value& data = root["data"];
  bool masked = false;
  for (const char* name : {"loginToken", "signSecret"}) {
    if (!data.isMember(name)) continue;
    const Json::Value& v = data[name];
    data[name] = std::string(v.isString() ? v.asString().size() : 3, '*');
    masked = true;
  }
  if (!masked) return answer;
  Json::StreamWriterBuilder writer;
  writer["indentation"] = "";
  writer["emitUTF8"] = true;
  return Json::writeString(writer, root);
}

}  // namespace vorlix

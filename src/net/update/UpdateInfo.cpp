#include "net/update/UpdateInfo.h"

#include <json/json.h>

#include "base/TextConv.h"
#include "shell/Log.h"

namespace vorlix {

void ParseUpdateInfo(const std::string& resultText, const std::string& localVersion, UpdateInfo& info) {
  if (LogEnabled(2)) LogWrite(LogBegin(2, "DlgCheckUpdate", __LINE__) << "ParseUpdateInfo info:" << resultText << '\n');
  Json::Value root;
  if (!Json::Reader().parse(resultText, root) || !root.isObject()) return;
  const Json::Value& code = root["code"];
  if (!code.isIntegral() || code.asInt64() != 200) return;
  const Json::Value& data = root["data"];
  if (!data.isObject() || !data["versionCode"].isString()) return;
  if (LogEnabled(2))
    LogWrite(LogBegin(2, "DlgCheckUpdate", __LINE__) << "ParseUpdateInfo localVersion:" << localVersion << '\n');
  info.resultText = resultText;
  info.needUpdate = data["versionCode"].asString() != localVersion;
  if (info.needUpdate) {
    info.description = Utf8ToWide(data["modifyDesc"].isString() ? data["modifyDesc"].asString() : std::string());
    info.url = data["url"].isString() ? data["url"].asString() : std::string();
    if (LogEnabled(2))
      LogWrite(LogBegin(2, "DlgCheckUpdate", __LINE__) << "ParseUpdateInfo NeedUpdate \n UpdateLog:"
                                                       << WideToAnsi(info.description) << "\n UpdateUrl:" << info.url
                                                       << '\n');
  } else if (LogEnabled(2)) {
    LogWrite(LogBegin(2, "DlgCheckUpdate", __LINE__) << "ParseUpdateInfo Do Not NeedUpdate " << '\n');
  }
}

}  // namespace vorlix

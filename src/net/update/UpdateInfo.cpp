#include "net/update/UpdateInfo.h"

#include "base/JsonText.h"
#include "base/TextConv.h"
#include "shell/Log.h"

namespace vorlix {

void ParseUpdateInfo(const std::string& resultText, const std::string& localVersion, UpdateInfo& info) {
  if (LogEnabled(2)) LogWrite(LogBegin(2, "DlgCheckUpdate", __LINE__) << "ParseUpdateInfo info:" << resultText << '\n');
  Json::Value root;
  if (!ParseJsonText(resultText, root) || !root.isObject()) return;
  const Json::Value& code = root["code"];
  if (!code.isInt() || code.asInt() != 200) return;
  const Json::Value& data = root["data"];
  if (!data.isObject() || !data["versionCode"].isString()) return;
  if (LogEnabled(2))
    LogWrite(LogBegin(2, "DlgCheckUpdate", __LINE__) << "ParseUpdateInfo localVersion:" << localVersion << '\n');
  info.resultText = resultText;
  info.needUpdate = data["versionCode"].asString() != localVersion;
  if (info.needUpdate) {
    info.description = Utf8ToWide(data["modifyDesc"].isString() ? data["modifyDesc"].asString() : std::string());
    info.url = data["url"].isString() ? data["url"].asString() : std::string();
    info.sha256.clear();
    if (data.isMember("sha256")) {
      const Json::Value& digest = data["sha256"];
      // Anything but a text is kept as a value no digest equals: the service meant to send one.
      info.sha256 = digest.isString() ? digest.asString() : std::string("-");
      if (info.sha256.empty()) info.sha256 = "-";
      for (char& c : info.sha256) {
        if (c >= 'A' && c <= 'F') c = static_cast<char>(c - 'A' + 'a');
      }
    }
    if (LogEnabled(2))
      LogWrite(LogBegin(2, "DlgCheckUpdate", __LINE__) << "ParseUpdateInfo NeedUpdate \n UpdateLog:"
                                                       << WideToAnsi(info.description) << "\n UpdateUrl:" << info.url
                                                       << '\n');
  } else if (LogEnabled(2)) {
    LogWrite(LogBegin(2, "DlgCheckUpdate", __LINE__) << "ParseUpdateInfo Do Not NeedUpdate " << '\n');
  }
}

}  // namespace vorlix

#include "base/JsonText.h"

#include <memory>

namespace vorlix {
namespace {

// Counts brackets outside strings. A comment containing a quote may fool this count; the reader's own
// stack limit below still holds, this only keeps the common hostile case (a run of brackets) from
// reaching the reader at all.
bool WithinDepth(const std::string& text) {
  int depth = 0;
  bool inString = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (inString) {
      if (c == '\\') ++i;
      else if (c == '"') inString = false;
      continue;
    }
    if (c == '"') inString = true;
    else if (c == '[' || c == '{') {
      if (++depth > kMaxJsonDepth) return false;
    } else if (c == ']' || c == '}') {
      --depth;
    }
  }
  return true;
}

}  // namespace

bool ParseJsonText(const std::string& text, Json::Value& root) {
  root = Json::Value();
  if (!WithinDepth(text)) return false;
  try {
    Json::CharReaderBuilder builder;
    builder["allowComments"] = true;
    builder["collectComments"] = false;
    builder["stackLimit"] = kMaxJsonDepth + 1;
    std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    std::string errors;
    Json::Value parsed;
    if (!reader->parse(text.data(), text.data() + text.size(), &parsed, &errors)) return false;
    root.swap(parsed);
    return true;
  } catch (...) {
    root = Json::Value();
    return false;
  }
}

}  // namespace vorlix

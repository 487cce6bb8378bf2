// The one reader of outside JSON (login and storage answers go through it too): never throws, and what it
// accepts is never nested deeper than the cap.
#include <cstddef>
#include <cstdint>
#include <string>

#include "base/JsonText.h"

namespace {

int Depth(const Json::Value& v) {
  int deepest = 0;
  if (v.isArray() || v.isObject()) {
    for (const Json::Value& child : v) {
      int d = Depth(child);
      if (d > deepest) deepest = d;
    }
    return deepest + 1;
  }
  return 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Json::Value root;
  const std::string text(reinterpret_cast<const char*>(data), size);
  if (vorlix::ParseJsonText(text, root)) {
    if (Depth(root) > vorlix::kMaxJsonDepth) __builtin_trap();
    // Every accessor the parsers use on members of an answer.
    if (root.isObject()) {
      for (const char* name : {"code", "data", "ctx", "crc32", "hash", "key", "sha256"}) {
        const Json::Value& m = root[name];
        if (m.isInt()) (void)m.asInt();
        if (m.isUInt64()) (void)m.asUInt64();
        if (m.isInt64()) (void)m.asInt64();
        if (m.isString()) (void)m.asString();
      }
    }
  } else if (!root.isNull()) {
    __builtin_trap();
  }
  return 0;
}

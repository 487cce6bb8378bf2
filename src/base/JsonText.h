#pragma once
// Every JSON document that comes from outside the program (service and storage answers, downloaded
// lists) is read through here. jsoncpp throws on some inputs (too deep a nesting, for one) and an
// exception must never leave a parser of outside input, so this never throws, and it refuses documents
// nested deeper than any answer we expect before the reader recurses into them.
#include <json/json.h>

#include <string>

namespace vorlix {

// Deeper than any real answer; shallow enough that reading and releasing a value cannot exhaust a stack.
inline constexpr int kMaxJsonDepth = 64;

// True with the document in root; false (root null) for text that is not one JSON value, is nested
// deeper than kMaxJsonDepth, or cannot be read for any other reason. Comments are allowed.
bool ParseJsonText(const std::string& text, Json::Value& root);

}  // namespace vorlix

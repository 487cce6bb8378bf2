#include "net/Signing.h"

#include "net/Sha1.h"

namespace vorlix::net {

std::string MakeParamText(const SignPairs& pairs) {
  std::string text;
  for (const auto& [key, value] : pairs) {
    text += key;
    text += value;
  }
  return text;
}

std::string MakeTsign(const SignPairs& pairs) {
  return Sha1Hex(std::string(kAppId) + MakeParamText(pairs) + kSignSalt);
}

std::string MakeSign(const std::string& signSecret, const SignPairs& pairs) {
  return Sha1Hex(signSecret + MakeParamText(pairs));
}

SignPairs UpdateCheckSignPairs(const std::string& versionText) {
  return {{"type", "3"}, {"versionCode", versionText}};
}

SignPairs SendCodeSignPairs(const std::string& mobile, const std::string& type, bool isTest) {
  return {{"mobile", mobile}, {"type", type}, {"isTest", isTest ? "1" : "0"}};
}

SignPairs LoginSignPairs(const std::string& mobile, const std::string& code, const std::string& postId) {
  return {{"mobile", mobile}, {"code", code}, {"type", "1"}, {"postId", postId}};
}

SignPairs RegisterClipSignPairs(const std::string& json) { return {{"json", json}}; }

SignPairs EventSignPairs(const std::string& userToken, std::int32_t timeStamp) {
  return {{"userToken", userToken}, {"dtime", std::to_string(timeStamp)}};
}

std::string FormatAdapterAddress(const unsigned char* bytes, std::size_t count) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string text;
  for (std::size_t i = 0; i < count; ++i) {
    text += kDigits[bytes[i] >> 4];
    text += kDigits[bytes[i] & 15];
  }
  return text;
}

std::string MakeUserAgent(const std::string& adapterAddressText) { return "Windows+" + adapterAddressText; }

}  // namespace vorlix::net

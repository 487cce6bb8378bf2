#pragma once
// Request signatures and the values every request carries. Each signed request has a fixed list of
// key/value pairs in a fixed order; the parameter text is key+value concatenated in that order with no
// separators and no encoding, and it feeds both signatures:
//   tsign = sha1hex(application identifier + parameter text + salt)
//   sign  = sha1hex(sign secret + parameter text)
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace vorlix::net {

inline constexpr const char kAppId[] = "zentiq";
inline constexpr const char kSignSalt[] = "qzrw@hvp";

using SignPairs = std::vector<std::pair<std::string, std::string>>;

std::string MakeParamText(const SignPairs& pairs);
std::string MakeTsign(const SignPairs& pairs);
std::string MakeSign(const std::string& signSecret, const SignPairs& pairs);

// The signing orders of the requests (not always their body order).
SignPairs UpdateCheckSignPairs(const std::string& versionText);
SignPairs SendCodeSignPairs(const std::string& mobile, const std::string& type, bool isTest);
SignPairs LoginSignPairs(const std::string& mobile, const std::string& code, const std::string& postId);
SignPairs RegisterClipSignPairs(const std::string& json);
SignPairs EventSignPairs(const std::string& userToken, std::int32_t timeStamp);

// Uppercase hex, two digits per byte, no separators ("%02X" each).
std::string FormatAdapterAddress(const unsigned char* bytes, std::size_t count);
// The first network adapter's hardware address as above; empty when it cannot be read. Read anew on
// every call (platform seam).
std::string GetAdapterAddressText();
// "Windows+" followed by the adapter address text.
std::string MakeUserAgent(const std::string& adapterAddressText);

}  // namespace vorlix::net

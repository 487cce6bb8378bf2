#pragma once
// Certificate checking for every libcurl transfer of the program: the peer's chain and host name are
// verified against the system's authorities.
//
// On Windows the authorities are handed to libcurl explicitly, read from the system's ROOT store: left
// to itself, libcurl defers the check to Schannel, and Wine's Schannel accepts any certificate. Given a
// CA source, libcurl verifies the chain and the name itself, the same way on Windows and under Wine
// (whose ROOT store holds the host's authorities). On Linux, libcurl's default: the system's bundle.
#include <string>

namespace vorlix::net {

// Sets peer and host verification on the easy handle (a CURL*) and gives it the authorities.
void VerifyPeersOf(void* easy);

// The system's authorities as PEM text; empty when libcurl's own default applies.
std::string SystemAuthoritiesPem();

}  // namespace vorlix::net

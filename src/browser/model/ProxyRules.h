#pragma once
// Which proxy a request goes through, from the usual environment variables
// (http_proxy, https_proxy, all_proxy, no_proxy, in either case).
#include <functional>
#include <optional>
#include <string>

namespace lumarte::browser {

enum class TProxyKind { Direct, Http, Socks5 };

struct TProxySetting {
  TProxyKind Kind = TProxyKind::Direct;
  std::string Host;
  int Port = 0;
  std::string User, Password;
};

// scheme "http" or "https". Loopback hosts and hosts that no_proxy names
// (a list of names or ".domain" suffixes, "*" for all) go direct. A proxy
// URL "socks5://", "socks5h://" or "socks://" is a SOCKS5 proxy, anything
// else an HTTP proxy (port 1080 and 8080 by default). Nothing when no
// variable says anything, so the desktop's own settings may decide.
std::optional<TProxySetting> ProxyFromEnvironment(
    const std::string& scheme, const std::string& host,
    const std::function<std::string(const char*)>& variable);

}  // namespace lumarte::browser

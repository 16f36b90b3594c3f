#include "browser/model/ProxyRules.h"

#include <charconv>

#include "browser/model/TagScanner.h"

namespace lumarte::browser {

namespace {

std::string Either(const std::function<std::string(const char*)>& variable, const char* lower,
                   const char* upper) {
  std::string v = variable(lower);
  return v.empty() ? variable(upper) : v;
}

bool IsLoopback(const std::string& host) {
  return host == "localhost" || host == "::1" || host == "[::1]" || host.starts_with("127.");
}

bool NoProxyMatches(const std::string& list, const std::string& host) {
  size_t start = 0;
  while (start <= list.size()) {
    size_t end = list.find(',', start);
    if (end == std::string::npos) end = list.size();
    std::string entry = list.substr(start, end - start);
    while (!entry.empty() && entry.front() == ' ') entry.erase(0, 1);
    while (!entry.empty() && entry.back() == ' ') entry.pop_back();
    if (entry == "*") return true;
    if (!entry.empty()) {
      std::string suffix = entry.front() == '.' ? entry : "." + entry;
      if (host == (entry.front() == '.' ? entry.substr(1) : entry) || EndsWithNoCase(host, suffix))
        return true;
    }
    start = end + 1;
  }
  return false;
}

TProxySetting ParseProxy(std::string url) {
  TProxySetting p;
  p.Kind = TProxyKind::Http;
  size_t scheme = url.find("://");
  if (scheme != std::string::npos) {
    std::string name = url.substr(0, scheme);
    if (StartsWithNoCase(name, "socks")) p.Kind = TProxyKind::Socks5;
    url.erase(0, scheme + 3);
  }
  url = url.substr(0, url.find('/'));
  size_t at = url.rfind('@');
  if (at != std::string::npos) {
    std::string credentials = url.substr(0, at);
    size_t colon = credentials.find(':');
    p.User = credentials.substr(0, colon);
    if (colon != std::string::npos) p.Password = credentials.substr(colon + 1);
    url.erase(0, at + 1);
  }
  p.Port = p.Kind == TProxyKind::Socks5 ? 1080 : 8080;
  size_t colon = url.rfind(':');
  if (colon != std::string::npos && url.find(']', colon) == std::string::npos) {
    int port = 0;
    auto [end, ec] = std::from_chars(url.data() + colon + 1, url.data() + url.size(), port);
    if (ec == std::errc() && end == url.data() + url.size() && port > 0 && port < 65536)
      p.Port = port;
    url.erase(colon);
  }
  if (url.size() > 2 && url.front() == '[' && url.back() == ']') url = url.substr(1, url.size() - 2);
  p.Host = url;
  return p;
}

}  // namespace

std::optional<TProxySetting> ProxyFromEnvironment(
    const std::string& scheme, const std::string& host,
    const std::function<std::string(const char*)>& variable) {
  if (IsLoopback(host)) return TProxySetting{};
  std::string proxy = scheme == "https" ? Either(variable, "https_proxy", "HTTPS_PROXY")
                                        : Either(variable, "http_proxy", "HTTP_PROXY");
  if (proxy.empty()) proxy = Either(variable, "all_proxy", "ALL_PROXY");
  if (proxy.empty()) return std::nullopt;
  if (NoProxyMatches(Either(variable, "no_proxy", "NO_PROXY"), host)) return TProxySetting{};
  TProxySetting setting = ParseProxy(proxy);
  if (setting.Host.empty()) return std::nullopt;
  return setting;
}

}  // namespace lumarte::browser

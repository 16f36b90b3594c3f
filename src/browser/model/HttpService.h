#pragma once
// What the browser needs of web access: one asynchronous GET at a time,
// reporting the content type, the body in pieces, and the end.
#include <cstddef>
#include <cstdint>
#include <string>

namespace lumarte::browser {

// The request headers every GET carries.
inline constexpr const char* kAcceptHeader = "image/x-xbitmap, image/jpeg, image/pjpeg, text/*";
inline constexpr const char* kUserAgent = "Mozilla/3.0 (compatible)";
inline constexpr int kMaxRedirects = 10;
// A server that sends nothing for this long is given up.
inline constexpr int kStallTimeoutMs = 30000;

struct THttpFailure {
  std::string Message;
  // The server answered (with an error status): the next request may fare
  // better. False for connection, proxy and timeout failures.
  bool ServerReplied = false;
};

class THttpEvents {
 public:
  virtual ~THttpEvents() = default;
  // The response headers are in.
  virtual void HttpResponse(const std::string& contentType) = 0;
  // A piece of the body. False stops the transfer; HttpDone follows.
  virtual bool HttpData(const char* data, size_t size) = 0;
  virtual void HttpDone() = 0;
  virtual void HttpFailed(const THttpFailure& failure) = 0;
};

class THttpService {
 public:
  virtual ~THttpService() = default;
  // Starts a GET of url ("http://" is meant when it names no scheme),
  // stopping the running one. Events come later from the event loop, never
  // from inside Get or Abort.
  virtual void Get(const std::string& url, THttpEvents& events) = 0;
  // Stops the running request; no event of it follows.
  virtual void Abort() = 0;
};

}  // namespace lumarte::browser

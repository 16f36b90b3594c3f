#pragma once
// Web access on Qt Network: one GET at a time with the browser's request
// headers, redirects, the proxy settings, and a stall timeout.
#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>

#include "browser/model/HttpService.h"

class QNetworkReply;

namespace lumarte::platform {

class THttpClient : public QObject, public browser::THttpService {
 public:
  explicit THttpClient(QObject* parent = nullptr);
  ~THttpClient() override;

  // Milliseconds without data before a request is given up.
  int StallTimeoutMs = browser::kStallTimeoutMs;

  void Get(const std::string& url, browser::THttpEvents& events) override;
  void Abort() override;

 private:
  void HeadersIn();
  void DataIn();
  void Finished();
  void Drop();
  QNetworkAccessManager Manager;
  QPointer<QNetworkReply> Reply;
  browser::THttpEvents* Events = nullptr;
  bool HeadersSent = false;
  bool Stopped = false;  // the listener wanted no more data
};

}  // namespace lumarte::platform

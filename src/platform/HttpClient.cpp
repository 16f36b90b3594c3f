#include "platform/HttpClient.h"

#include <QNetworkProxy>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

#include "browser/model/ProxyRules.h"

namespace lumarte::platform {

namespace {

QUrl RequestUrl(const std::string& url) {
  QString text = QString::fromStdString(url);
  if (!text.contains(QStringLiteral("://"))) text.prepend(QStringLiteral("http://"));
  return QUrl(text);
}

// The proxy of the environment variables, else the desktop's settings.
class TProxyFactory : public QNetworkProxyFactory {
 public:
  QList<QNetworkProxy> queryProxy(const QNetworkProxyQuery& query) override {
    auto setting = browser::ProxyFromEnvironment(
        query.protocolTag().toLower().toStdString(), query.peerHostName().toStdString(),
        [](const char* name) { return qEnvironmentVariable(name).toStdString(); });
    if (!setting) return systemProxyForQuery(query);
    if (setting->Kind == browser::TProxyKind::Direct) return {QNetworkProxy::NoProxy};
    QNetworkProxy proxy(setting->Kind == browser::TProxyKind::Socks5 ? QNetworkProxy::Socks5Proxy
                                                                     : QNetworkProxy::HttpProxy,
                        QString::fromStdString(setting->Host), static_cast<quint16>(setting->Port),
                        QString::fromStdString(setting->User),
                        QString::fromStdString(setting->Password));
    return {proxy};
  }
};

}  // namespace

THttpClient::THttpClient(QObject* parent) : QObject(parent) {
  Manager.setProxyFactory(new TProxyFactory);  // the manager owns it
}

THttpClient::~THttpClient() {
  Drop();
}

void THttpClient::Get(const std::string& url, browser::THttpEvents& events) {
  Drop();
  Events = &events;
  HeadersSent = false;
  Stopped = false;
  QNetworkRequest request(RequestUrl(url));
  request.setRawHeader("Accept", browser::kAcceptHeader);
  request.setRawHeader("User-Agent", browser::kUserAgent);
  request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                       QNetworkRequest::NoLessSafeRedirectPolicy);
  request.setMaximumRedirectsAllowed(browser::kMaxRedirects);
  request.setTransferTimeout(StallTimeoutMs);
  QNetworkReply* reply = Manager.get(request);
  Reply = reply;
  connect(reply, &QNetworkReply::metaDataChanged, this, [this, reply] {
    if (reply == Reply) HeadersIn();
  });
  connect(reply, &QIODevice::readyRead, this, [this, reply] {
    if (reply == Reply) DataIn();
  });
  connect(reply, &QNetworkReply::finished, this, [this, reply] {
    if (reply == Reply) Finished();
  });
}

void THttpClient::Abort() {
  Drop();
}

void THttpClient::Drop() {
  Events = nullptr;
  if (QNetworkReply* reply = Reply) {
    Reply = nullptr;
    reply->disconnect(this);
    reply->abort();
    reply->deleteLater();
  }
}

namespace {

// A redirect is followed by Qt itself; an error status ends in a failure
// and its body is no content.
bool IsContent(QNetworkReply* reply) {
  int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
  return status < 300 && reply->error() == QNetworkReply::NoError;
}

std::string FailureText(QNetworkReply* reply, int stallMs) {
  if (reply->error() == QNetworkReply::OperationCanceledError ||
      reply->error() == QNetworkReply::TimeoutError)
    return "the server sent nothing for " + std::to_string(stallMs / 1000) + " seconds";
  return reply->errorString().toStdString();
}

}  // namespace

void THttpClient::HeadersIn() {
  if (HeadersSent || !Events || !IsContent(Reply)) return;
  HeadersSent = true;
  Events->HttpResponse(Reply->header(QNetworkRequest::ContentTypeHeader).toString().toStdString());
}

void THttpClient::DataIn() {
  if (!Events || Stopped || !IsContent(Reply)) return;
  HeadersIn();
  while (Events && !Stopped && Reply->bytesAvailable() > 0) {
    QByteArray chunk = Reply->read(1 << 16);
    if (!Events->HttpData(chunk.constData(), static_cast<size_t>(chunk.size()))) {
      Stopped = true;
      QNetworkReply* reply = Reply;
      Reply = nullptr;
      reply->disconnect(this);
      reply->abort();
      reply->deleteLater();
      browser::THttpEvents* events = Events;
      Events = nullptr;
      events->HttpDone();
      return;
    }
  }
}

void THttpClient::Finished() {
  if (!Events) return;
  QNetworkReply* reply = Reply;
  DataIn();
  if (!Events || reply != Reply) return;  // stopped by its listener, or a new request began
  Reply = nullptr;
  reply->deleteLater();
  browser::THttpEvents* events = Events;
  Events = nullptr;
  if (reply->error() != QNetworkReply::NoError) {
    browser::THttpFailure failure;
    failure.Message = FailureText(reply, StallTimeoutMs);
    failure.ServerReplied = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt() > 0;
    events->HttpFailed(failure);
    return;
  }
  if (!HeadersSent) {
    HeadersSent = true;
    events->HttpResponse(reply->header(QNetworkRequest::ContentTypeHeader).toString().toStdString());
  }
  events->HttpDone();
}

}  // namespace lumarte::platform

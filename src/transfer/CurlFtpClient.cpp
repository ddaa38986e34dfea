#include "transfer/CurlFtpClient.h"

#include <QCoreApplication>
#include <QFile>
#include <QUrl>
#include <curl/curl.h>

namespace quillon {

namespace {

size_t CollectText(char* data, size_t size, size_t count, void* target) {
    static_cast<QByteArray*>(target)->append(data, static_cast<qsizetype>(size * count));
    return size * count;
}

size_t ReadFromFile(char* buffer, size_t size, size_t count, void* source) {
    const qint64 n = static_cast<QFile*>(source)->read(buffer, static_cast<qint64>(size * count));
    return n < 0 ? CURL_READFUNC_ABORT : static_cast<size_t>(n);
}

// Runs one transfer to its end while the screen's events are handled.
CURLcode Perform(CURL* easy) {
    CURLM* multi = curl_multi_init();
    curl_multi_add_handle(multi, easy);
    int running = 1;
    while (running) {
        if (curl_multi_perform(multi, &running) != CURLM_OK) {
            break;
        }
        if (running) {
            curl_multi_poll(multi, nullptr, 0, 20, nullptr);
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
    }
    CURLcode result = CURLE_OK;
    int left = 0;
    while (CURLMsg* msg = curl_multi_info_read(multi, &left)) {
        if (msg->msg == CURLMSG_DONE) {
            result = msg->data.result;
        }
    }
    curl_multi_remove_handle(multi, easy);
    curl_multi_cleanup(multi);
    return result;
}

void CommonOptions(CURL* easy, const FtpClient::Site& site, char* errorBuffer,
                   int noProgressSeconds) {
    const long limit = FtpClient::kTimeoutSeconds;
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    // No limit on the whole transfer: a day file on a slow link may need
    // minutes. What ends a request is a stall: fewer than one byte a second
    // for the no-progress limit, no connection, or a server that does not
    // answer.
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, static_cast<long>(noProgressSeconds));
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT, limit);
    curl_easy_setopt(easy, CURLOPT_SERVER_RESPONSE_TIMEOUT, limit);
    curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, errorBuffer);
    const QByteArray user = site.user.toUtf8();
    const QByteArray password = site.password.toUtf8();
    curl_easy_setopt(easy, CURLOPT_USERNAME, user.constData());
    curl_easy_setopt(easy, CURLOPT_PASSWORD, password.constData());
    if (site.url.startsWith(QLatin1String("ftps://"), Qt::CaseInsensitive)) {
        curl_easy_setopt(easy, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_ALL));
    }
}

FtpReply Finish(CURL* easy, CURLcode code, const char* errorBuffer, const QByteArray& body) {
    FtpReply reply;
    curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &reply.code);
    reply.ok = code == CURLE_OK;
    if (reply.ok) {
        reply.text = QString::fromUtf8(body);
    } else {
        reply.text = QString::fromUtf8(*errorBuffer ? errorBuffer : curl_easy_strerror(code));
        if (reply.code != 0) {
            reply.text += QStringLiteral(" (server response %1)").arg(reply.code);
        }
    }
    return reply;
}

} // namespace

CurlFtpClient::CurlFtpClient() {
    curl_global_init(CURL_GLOBAL_DEFAULT);
}

CurlFtpClient::~CurlFtpClient() {
    curl_global_cleanup();
}

QString CurlFtpClient::DirectoryUrl(const QString& url) {
    QString out = url.trimmed();
    const qsizetype scheme = out.indexOf(QLatin1String("://"));
    if (scheme > 0) {
        out = out.left(scheme).toLower() + out.mid(scheme);
    }
    if (!out.endsWith(u'/')) {
        out += u'/';
    }
    return out;
}

FtpReply CurlFtpClient::Put(const Site& site, const QString& localPath, const QString& remoteName) {
    QFile file(localPath);
    if (!file.open(QIODevice::ReadOnly)) {
        return {false, 0, localPath + QStringLiteral(": ") + file.errorString()};
    }
    CURL* easy = curl_easy_init();
    char errorBuffer[CURL_ERROR_SIZE] = {0};
    CommonOptions(easy, site, errorBuffer, noProgressSeconds_);
    const QByteArray url =
        (DirectoryUrl(site.url) + QString::fromLatin1(QUrl::toPercentEncoding(remoteName)))
            .toUtf8();
    curl_easy_setopt(easy, CURLOPT_URL, url.constData());
    curl_easy_setopt(easy, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(easy, CURLOPT_READFUNCTION, ReadFromFile);
    curl_easy_setopt(easy, CURLOPT_READDATA, &file);
    curl_easy_setopt(easy, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(file.size()));
    const CURLcode code = Perform(easy);
    const FtpReply reply = Finish(easy, code, errorBuffer, {});
    curl_easy_cleanup(easy);
    return reply;
}

FtpReply CurlFtpClient::List(const Site& site, const QString& remoteName) {
    CURL* easy = curl_easy_init();
    char errorBuffer[CURL_ERROR_SIZE] = {0};
    CommonOptions(easy, site, errorBuffer, noProgressSeconds_);
    const QByteArray url = DirectoryUrl(site.url).toUtf8();
    const QByteArray request = "LIST " + remoteName.toUtf8();
    QByteArray body;
    curl_easy_setopt(easy, CURLOPT_URL, url.constData());
    curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, request.constData());
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, CollectText);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &body);
    const CURLcode code = Perform(easy);
    const FtpReply reply = Finish(easy, code, errorBuffer, body);
    curl_easy_cleanup(easy);
    return reply;
}

} // namespace quillon

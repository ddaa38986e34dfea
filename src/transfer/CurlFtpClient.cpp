// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/CurlFtpClient.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <algorithm>
#include <chrono>
#include <vector>
#ifdef __linux__
#include <linux/sockios.h>
#include <sys/ioctl.h>
#endif
#include <curl/curl.h>
#include <sys/socket.h>
#include <unistd.h>

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

// The one limit on a request: the time without progress. Anything that
// moves counts (a byte of the file either way, or a new step of the
// request); a server that stops reading, or that takes the whole file and
// never confirms it, is given up after the limit. The length of a request
// that keeps moving is never limited: a day file on a slow link may need
// minutes.
//
// A byte handed to the system is not yet a byte that moved: the system's
// send buffer takes a whole day file at once, and on a slow link the file
// then drains for minutes while libcurl sees nothing happen. So on Linux
// the bytes still waiting in the send queues of the request's sockets
// (sent but not acknowledged by the server) are not counted as moved.
struct Watchdog {
    int limitSeconds = FtpClient::kTimeoutSeconds;
    std::chrono::steady_clock::time_point lastProgress = std::chrono::steady_clock::now();
    curl_off_t lastMoved = 0;
    bool stalled = false;
    std::vector<curl_socket_t> sockets;
    // Sockets libcurl has closed: the data connection is closed once the
    // last byte is handed over, while the system still sends its queue.
    // Only their sending side is shut (the server sees the end of the file
    // as before); they stay open, and counted, until the request ends.
    std::vector<curl_socket_t> draining;

    Watchdog() = default;
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;
    ~Watchdog() {
        for (const curl_socket_t fd : draining) {
            close(fd);
        }
    }

    curl_off_t Unacknowledged() const {
        curl_off_t pending = 0;
#ifdef __linux__
        for (const auto* list : {&sockets, &draining}) {
            for (const curl_socket_t socket : *list) {
                int queued = 0;
                if (ioctl(socket, SIOCOUTQ, &queued) == 0 && queued > 0) {
                    pending += queued;
                }
            }
        }
#endif
        return pending;
    }
};

curl_socket_t OpenSocket(void* clientp, curlsocktype, struct curl_sockaddr* address) {
    const curl_socket_t fd = socket(address->family, address->socktype, address->protocol);
    if (fd != CURL_SOCKET_BAD) {
        static_cast<Watchdog*>(clientp)->sockets.push_back(fd);
    }
    return fd;
}

int CloseSocket(void* clientp, curl_socket_t fd) {
    auto* dog = static_cast<Watchdog*>(clientp);
    auto& sockets = dog->sockets;
    sockets.erase(std::remove(sockets.begin(), sockets.end(), fd), sockets.end());
#ifdef __linux__
    if (shutdown(fd, SHUT_WR) == 0) {
        dog->draining.push_back(fd);
        return 0;
    }
#endif
    return close(fd);
}

int WatchProgress(void* clientp, curl_off_t, curl_off_t dlnow, curl_off_t, curl_off_t ulnow) {
    auto* dog = static_cast<Watchdog*>(clientp);
    const auto now = std::chrono::steady_clock::now();
    const curl_off_t moved = ulnow + dlnow - dog->Unacknowledged();
    if (moved != dog->lastMoved) {
        dog->lastMoved = moved;
        dog->lastProgress = now;
        return 0;
    }
    if (now - dog->lastProgress >= std::chrono::seconds(dog->limitSeconds)) {
        dog->stalled = true;
        return 1; // aborts the request
    }
    return 0;
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

void CommonOptions(CURL* easy, const FtpClient::Site& site, char* errorBuffer, Watchdog* dog) {
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    // No limit on the whole transfer. libcurl's own reply limit runs from
    // the moment a command is sent, so on STOR it would also cover the
    // upload itself: it is set out of reach and the watchdog bounds every
    // wait for a reply instead. Connecting has its own limit.
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT, static_cast<long>(dog->limitSeconds));
    curl_easy_setopt(easy, CURLOPT_SERVER_RESPONSE_TIMEOUT, 7L * 24 * 3600);
    curl_easy_setopt(easy, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(easy, CURLOPT_XFERINFOFUNCTION, WatchProgress);
    curl_easy_setopt(easy, CURLOPT_XFERINFODATA, dog);
    curl_easy_setopt(easy, CURLOPT_OPENSOCKETFUNCTION, OpenSocket);
    curl_easy_setopt(easy, CURLOPT_OPENSOCKETDATA, dog);
    curl_easy_setopt(easy, CURLOPT_CLOSESOCKETFUNCTION, CloseSocket);
    curl_easy_setopt(easy, CURLOPT_CLOSESOCKETDATA, dog);
    curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, errorBuffer);
    const QByteArray user = site.user.toUtf8();
    const QByteArray password = site.password.toUtf8();
    curl_easy_setopt(easy, CURLOPT_USERNAME, user.constData());
    curl_easy_setopt(easy, CURLOPT_PASSWORD, password.constData());
    // ftps:// is implicit TLS (the whole connection, port 990); ftpes:// is
    // explicit TLS, AUTH TLS on the usual port 21, which most stations'
    // servers speak. Either way nothing goes in the clear.
    const QString scheme = site.url.trimmed().section(QStringLiteral("://"), 0, 0).toLower();
    if (scheme == QLatin1String("ftps") || scheme == QLatin1String("ftpes")) {
        curl_easy_setopt(easy, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_ALL));
    }
    // A server with its own or a private authority's certificate is
    // checked against the station's CA file (libcurl copies the string).
    if (!site.caFile.isEmpty()) {
        curl_easy_setopt(easy, CURLOPT_CAINFO, QFile::encodeName(site.caFile).constData());
    }
}

FtpReply Finish(CURL* easy, CURLcode code, const char* errorBuffer, const Watchdog& dog,
                const QByteArray& body) {
    FtpReply reply;
    curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &reply.code);
    reply.ok = code == CURLE_OK;
    if (reply.ok) {
        reply.text = QString::fromUtf8(body);
    } else if (dog.stalled) {
        reply.text = QStringLiteral("no progress for %1 seconds: the server stopped answering")
                         .arg(dog.limitSeconds);
    } else {
        // The failure's own description first: libcurl's detail line can
        // carry a stale system error ("errno: 115" for a server that died
        // mid-upload), so it only follows, when it says more.
        reply.text = QString::fromUtf8(curl_easy_strerror(code));
        const QString detail = QString::fromUtf8(errorBuffer).trimmed();
        if (!detail.isEmpty() && detail != reply.text) {
            reply.text += QStringLiteral(": ") + detail;
        }
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
        QString name = out.left(scheme).toLower();
        if (name == QLatin1String("ftpes")) {
            name = QStringLiteral("ftp"); // explicit TLS: an ftp:// connection that asks for TLS
        }
        out = name + out.mid(scheme);
    }
    if (!out.endsWith(u'/')) {
        out += u'/';
    }
    return out;
}

FtpReply CurlFtpClient::Put(const Site& site, const QString& localPath, const QString& remoteName) {
    if (!QFileInfo(localPath).isFile()) {
        return {false, 0, localPath + QStringLiteral(": not a regular file")};
    }
    QFile file(localPath);
    if (!file.open(QIODevice::ReadOnly)) {
        return {false, 0, localPath + QStringLiteral(": ") + file.errorString()};
    }
    CURL* easy = curl_easy_init();
    char errorBuffer[CURL_ERROR_SIZE] = {0};
    Watchdog dog;
    dog.limitSeconds = noProgressSeconds_;
    CommonOptions(easy, site, errorBuffer, &dog);
    const QByteArray url =
        (DirectoryUrl(site.url) + QString::fromLatin1(QUrl::toPercentEncoding(remoteName)))
            .toUtf8();
    curl_easy_setopt(easy, CURLOPT_URL, url.constData());
    curl_easy_setopt(easy, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(easy, CURLOPT_READFUNCTION, ReadFromFile);
    curl_easy_setopt(easy, CURLOPT_READDATA, &file);
    curl_easy_setopt(easy, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(file.size()));
    const CURLcode code = Perform(easy);
    const FtpReply reply = Finish(easy, code, errorBuffer, dog, {});
    curl_easy_cleanup(easy);
    return reply;
}

FtpReply CurlFtpClient::List(const Site& site, const QString& remoteName) {
    CURL* easy = curl_easy_init();
    char errorBuffer[CURL_ERROR_SIZE] = {0};
    Watchdog dog;
    dog.limitSeconds = noProgressSeconds_;
    CommonOptions(easy, site, errorBuffer, &dog);
    const QByteArray url = DirectoryUrl(site.url).toUtf8();
    const QByteArray request = "LIST " + remoteName.toUtf8();
    QByteArray body;
    curl_easy_setopt(easy, CURLOPT_URL, url.constData());
    curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, request.constData());
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, CollectText);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &body);
    const CURLcode code = Perform(easy);
    const FtpReply reply = Finish(easy, code, errorBuffer, dog, body);
    curl_easy_cleanup(easy);
    return reply;
}

} // namespace quillon

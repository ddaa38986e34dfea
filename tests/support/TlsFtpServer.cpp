// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TlsFtpServer.h"

#include "support/FtpServer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTcpSocket>
#include <pwd.h>
#include <unistd.h>

namespace quillon::test {

namespace {
const char* const kVsftpd = "/usr/sbin/vsftpd";
} // namespace

TlsFtpServer::TlsFtpServer() {
    const passwd* ftp = ::getpwnam("ftp");
    if (!QFileInfo::exists(QString::fromLatin1(kVsftpd)) || ftp == nullptr) {
        reason_ = QStringLiteral("vsftpd and its ftp user are not installed");
        return;
    }
    if (::geteuid() != 0) {
        reason_ = QStringLiteral("vsftpd's anonymous sessions need root");
        return;
    }
    // The certificate of 127.0.0.1, signed by itself.
    QProcess openssl;
    openssl.start(QStringLiteral("openssl"),
                  {"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj",
                   "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1", "-keyout",
                   dir_.filePath("key.pem"), "-out", Certificate()});
    if (!openssl.waitForFinished(30000) || openssl.exitCode() != 0) {
        reason_ = QStringLiteral("openssl could not make a certificate");
        return;
    }
    // vsftpd's own rules: the anonymous root not writable by the ftp user,
    // the upload directory its own, an empty directory owned by root.
    const QString root = dir_.filePath(QStringLiteral("root"));
    QDir().mkpath(root + QStringLiteral("/up"));
    QDir().mkpath(dir_.filePath(QStringLiteral("empty")));
    QFile::setPermissions(root, QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                    QFileDevice::ReadGroup | QFileDevice::ExeGroup |
                                    QFileDevice::ReadOther | QFileDevice::ExeOther);
    if (::chown(QFile::encodeName(root + QStringLiteral("/up")).constData(), ftp->pw_uid,
                ftp->pw_gid) != 0) {
        reason_ = QStringLiteral("cannot give the upload directory to the ftp user");
        return;
    }
    port_ = ClosedPort();
    QFile conf(dir_.filePath(QStringLiteral("vsftpd.conf")));
    conf.open(QIODevice::WriteOnly);
    conf.write(QStringLiteral("listen=YES\nlisten_address=127.0.0.1\nlisten_port=%1\n"
                              "background=NO\nanonymous_enable=YES\nno_anon_password=YES\n"
                              "anon_root=%2\nwrite_enable=YES\nanon_upload_enable=YES\n"
                              "anon_mkdir_write_enable=YES\nanon_umask=022\nlocal_enable=NO\n"
                              "ssl_enable=YES\nallow_anon_ssl=YES\nforce_anon_logins_ssl=YES\n"
                              "force_anon_data_ssl=YES\nrequire_ssl_reuse=NO\n"
                              "rsa_cert_file=%3\nrsa_private_key_file=%4\n"
                              "secure_chroot_dir=%5\npasv_enable=YES\npasv_address=127.0.0.1\n"
                              "seccomp_sandbox=NO\nxferlog_enable=NO\n")
                   .arg(port_)
                   .arg(root, Certificate(), dir_.filePath(QStringLiteral("key.pem")),
                        dir_.filePath(QStringLiteral("empty")))
                   .toUtf8());
    conf.close();
    process_.start(QString::fromLatin1(kVsftpd), {conf.fileName()});
    if (!process_.waitForStarted(5000)) {
        reason_ = QStringLiteral("vsftpd did not start");
        return;
    }
    // Ready when it accepts a connection; it says nothing before.
    for (int attempt = 0; attempt < 100; ++attempt) {
        QTcpSocket probe;
        probe.connectToHost(QStringLiteral("127.0.0.1"), static_cast<quint16>(port_));
        if (probe.waitForConnected(1000)) {
            return;
        }
        if (process_.waitForFinished(50)) {
            reason_ = QStringLiteral("vsftpd stopped: ") +
                      QString::fromLocal8Bit(process_.readAllStandardError());
            return;
        }
    }
    reason_ = QStringLiteral("vsftpd does not listen");
}

TlsFtpServer::~TlsFtpServer() {
    process_.kill();
    process_.waitForFinished(3000);
}

} // namespace quillon::test

// SPDX-License-Identifier: GPL-3.0-or-later
// The archive transfer: naming and folders through a fake client, and whole
// passes against a real FTP server on 127.0.0.1.
#include "transfer/ArchiveTransfer.h"
#include "config/GetInfo.h"
#include "records/DayFile.h"
#include "support/FakeClock.h"
#include "support/FtpServer.h"
#include "support/Recorders.h"
#include "support/TestStation.h"
#include "transfer/CurlFtpClient.h"
#include "transfer/TransferFixture.h"
#include "util/TextFile.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace quillon;
using namespace quillon::test;

namespace {

// A server that keeps what it is sent in memory and can be told to fail.
class FakeFtp : public FtpClient {
public:
    FtpReply Put(const Site&, const QString& localPath, const QString& name) override {
        puts << name;
        if (refuse) {
            return {false, 553, "Upload refused"};
        }
        QFile f(localPath);
        f.open(QIODevice::ReadOnly);
        stored[name] = f.readAll();
        return {true, 226, {}};
    }
    FtpReply List(const Site&, const QString& name) override {
        if (listNothing || !stored.contains(name)) {
            return {true, 226, {}};
        }
        return {
            true, 226,
            QStringLiteral("-rw-r--r-- 1 dobson dobson %1 Mar 24 12:00 ").arg(stored[name].size()) +
                name + "\r\n"};
    }
    QStringList puts;
    QMap<QString, QByteArray> stored;
    bool refuse = false;
    bool listNothing = false;
};

} // namespace

TEST(ArchiveFolderName, MonthOfTheDayOfYear) {
    EXPECT_EQ(ArchiveFolderName("D06083.083"), "Mar2006");
    EXPECT_EQ(ArchiveFolderName("D07001.083"), "Jan2007");
    EXPECT_EQ(ArchiveFolderName("D08060.083"), "Feb2008"); // 29 February
    EXPECT_EQ(ArchiveFolderName("D06365.083"), "Dec2006");
    EXPECT_EQ(CurlFtpClient::DirectoryUrl("FTP://10.0.0.1/dobson"), "ftp://10.0.0.1/dobson/");
}

TEST_F(TransferTest, PassSkipsTodayAndFilesTheRestByMonth) {
    DayFile("D06083.083");
    DayFile("D06059.083");
    DayFile("D06084.083"); // today
    DayFile("D06082.999"); // another instrument suffix: not this pass's
    FakeFtp ftp;
    ArchiveTransfer transfer(vars.setup, vars.day, site, clock, messages, ftp);
    QStringList shown;
    transfer.SetMessageLine([&](const QString& s) { shown << s; });
    const QList<TransferOutcome> out = transfer.FindFiles2SendSA().files;
    ASSERT_EQ(out.size(), 2);
    EXPECT_EQ(ftp.puts, QStringList({"D06059.083", "D06083.083"}));
    EXPECT_TRUE(QFile::exists(station.DataDir() + "Feb2006/D06059.083"));
    EXPECT_TRUE(QFile::exists(station.DataDir() + "Mar2006/D06083.083"));
    EXPECT_FALSE(QFile::exists(station.DataDir() + "D06083.083"));
    EXPECT_TRUE(QFile::exists(station.DataDir() + "D06082.999"));
    EXPECT_EQ(shown,
              QStringList({"Attempting to send:D06059.083", "Attempting to send:D06083.083"}));
    EXPECT_EQ(Comments(), QStringList({"\"Sent:D06059.083\"", "\"Sent:D06083.083\""}));
}

TEST_F(TransferTest, ALinkToAFifoIsSkippedNotOpened) {
    QTemporaryDir elsewhere;
    const QString fifo = elsewhere.filePath("pipe");
    ASSERT_EQ(mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(fifo, station.DataDir() + "D06060.083"));
    DayFile("D06083.083");
    FakeFtp ftp;
    ArchiveTransfer transfer(vars.setup, vars.day, site, clock, messages, ftp);
    const QList<TransferOutcome> out = transfer.FindFiles2SendSA().files;
    EXPECT_EQ(ftp.puts, QStringList{"D06083.083"});
    ASSERT_EQ(out.size(), 1);
    EXPECT_TRUE(out[0].sent);
    EXPECT_TRUE(DecodeWindows1252(station.Read("data/" + DayFileName(vars.setup, clock.Now())))
                    .contains("Skipped D06060.083: not a regular file"));
    const TransferPass again = transfer.FindFiles2SendSA();
    EXPECT_EQ(again.problems, QStringList{"Skipped D06060.083: not a regular file"});
    EXPECT_TRUE(again.Failed()); // a file left behind is not a clean pass
    const FtpReply put =
        CurlFtpClient().Put({"ftp://127.0.0.1:1/", "u", "p", ""}, fifo, "D06060.083");
    EXPECT_FALSE(put.ok);
    EXPECT_EQ(put.text, fifo + ": not a regular file");
}

TEST_F(TransferTest, TodaysFileAloneAndEmptyDirectory) {
    FakeFtp ftp;
    ArchiveTransfer transfer(vars.setup, vars.day, site, clock, messages, ftp);
    EXPECT_TRUE(transfer.FindFiles2SendSA().files.isEmpty());
    EXPECT_FALSE(QFile::exists(station.DataDir() + DayFileName(vars.setup, clock.Now())));
    DayFile("D06084.083");
    EXPECT_TRUE(transfer.FindFiles2SendSA().files.isEmpty());
    EXPECT_TRUE(ftp.puts.isEmpty());
}

TEST_F(TransferTest, APassWithNothingToSendSaysWhy) {
    FakeFtp ftp;
    ArchiveTransfer transfer(vars.setup, vars.day, site, clock, messages, ftp);
    QStringList shown;
    transfer.SetMessageLine([&](const QString& s) { shown << s; });
    TransferPass pass = transfer.FindFiles2SendSA();
    EXPECT_FALSE(pass.Failed());
    EXPECT_EQ(pass.nothingToSend,
              "Nothing to send: no finished day files D*.083 in " + station.DataDir());
    EXPECT_EQ(shown, QStringList{pass.nothingToSend});

    DayFile("D06084.083"); // today's
    EXPECT_EQ(transfer.FindFiles2SendSA().nothingToSend,
              "Nothing to send: today's file D06084.083 is still being written.");

    DayFile("D06080.999");
    DayFile("D06082.999");
    EXPECT_EQ(transfer.FindFiles2SendSA().nothingToSend,
              "Nothing to send: 2 day file(s) ending .999 (D06080.999, D06082.999) were kept "
              "without the encoder and are never sent to the archive.");
    EXPECT_TRUE(ftp.puts.isEmpty());

    DayFile("D06083.083");
    pass = transfer.FindFiles2SendSA();
    EXPECT_EQ(pass.files.size(), 1);
    EXPECT_TRUE(pass.nothingToSend.isEmpty());
}

TEST_F(TransferTest, ADataDirectoryThatCannotBeReadFailsThePass) {
    FakeFtp ftp;
    station.Write("notadir", "x");
    vars.setup.DataDir = station.Home() + "notadir/";
    ArchiveTransfer transfer(vars.setup, vars.day, site, clock, messages, ftp);
    TransferPass pass = transfer.FindFiles2SendSA();
    EXPECT_TRUE(pass.Failed());
    EXPECT_EQ(pass.problems, QStringList{"Failed: cannot read the data directory " +
                                         vars.setup.DataDir + ": it is not a directory"});
    vars.setup.DataDir = station.Home() + "nowhere/";
    EXPECT_EQ(transfer.FindFiles2SendSA().problems,
              QStringList{"Failed: cannot read the data directory " + vars.setup.DataDir +
                          ": it does not exist"});
}

TEST_F(TransferTest, FailuresStopThePassAndKeepTheFiles) {
    DayFile("D06081.083");
    DayFile("D06082.083");
    FakeFtp ftp;
    ArchiveTransfer transfer(vars.setup, vars.day, site, clock, messages, ftp);
    ftp.listNothing = true;
    QList<TransferOutcome> out = transfer.FindFiles2SendSA().files;
    ASSERT_EQ(out.size(), 1);
    EXPECT_FALSE(out[0].sent);
    EXPECT_EQ(out[0].message, "DIR failed to respond with fileD06081.083");
    EXPECT_TRUE(QFile::exists(station.DataDir() + "D06081.083"));
    EXPECT_EQ(Comments(),
              QStringList({"\"Failed:D06081.083:DIR failed to respond with fileD06081.083\""}));

    ftp.listNothing = false;
    ftp.refuse = true;
    out = transfer.FindFiles2SendSA().files;
    ASSERT_EQ(out.size(), 1);
    EXPECT_EQ(out[0].message, "Upload refused");
    EXPECT_TRUE(QFile::exists(station.DataDir() + "D06081.083"));
    EXPECT_TRUE(messages.titles.isEmpty()); // the program goes on
}

TEST_F(TransferTest, SentButNotMovedIsSentAgainNextPass) {
    DayFile("D06081.083");
    station.Write("data/Mar2006", "a file where the folder should be");
    FakeFtp ftp;
    ArchiveTransfer transfer(vars.setup, vars.day, site, clock, messages, ftp);
    QStringList shown;
    transfer.SetMessageLine([&](const QString& s) { shown << s; });
    QList<TransferOutcome> out = transfer.FindFiles2SendSA().files;
    ASSERT_EQ(out.size(), 1);
    EXPECT_TRUE(out[0].sent);
    EXPECT_FALSE(out[0].moved);
    EXPECT_EQ(Comments(), QStringList({"\"Sent:D06081.083\"", "\"Failed Archive D06081.083\""}));
    EXPECT_EQ(shown.last(),
              "Failed Archive D06081.083: Cannot create " + station.DataDir() + "Mar2006");
    EXPECT_TRUE(QFile::exists(station.DataDir() + "D06081.083"));

    station.Remove("data/Mar2006");
    out = transfer.FindFiles2SendSA().files;
    ASSERT_EQ(out.size(), 1);
    EXPECT_TRUE(out[0].moved);
    EXPECT_EQ(ftp.puts.size(), 2);
    EXPECT_TRUE(QFile::exists(station.DataDir() + "Mar2006/D06081.083"));
}

TEST_F(TransferTest, RealServerReceivesByteIdenticalFiles) {
    FtpServer server;
    ASSERT_TRUE(server.Started());
    site.url = server.Url();
    site.user = "dobson";
    site.password = "secret";
    DayFile("D06083.083");
    DayFile("D06031.083");
    DayFile("D06084.083"); // today
    const QByteArray original = station.Read("data/D06083.083");
    CurlFtpClient ftp;
    ArchiveTransfer transfer(vars.setup, vars.day, site, clock, messages, ftp);
    const QList<TransferOutcome> out = transfer.FindFiles2SendSA().files;
    ASSERT_EQ(out.size(), 2);
    EXPECT_TRUE(out[0].sent) << out[0].message.toStdString();
    EXPECT_TRUE(out[1].sent) << out[1].message.toStdString();
    QFile arrived(server.Root() + "D06083.083");
    ASSERT_TRUE(arrived.open(QIODevice::ReadOnly));
    EXPECT_EQ(arrived.readAll(), original);
    EXPECT_TRUE(QFile::exists(station.DataDir() + "Jan2006/D06031.083"));
    EXPECT_TRUE(QFile::exists(station.DataDir() + "Mar2006/D06083.083"));
    EXPECT_FALSE(QFile::exists(server.Root() + "D06084.083"));
}

TEST_F(TransferTest, RealServerFailures) {
    DayFile("D06083.083");
    CurlFtpClient ftp;
    ArchiveTransfer transfer(vars.setup, vars.day, site, clock, messages, ftp);
    site.user = "dobson";

    {
        FtpServer server;
        ASSERT_TRUE(server.Started());
        site.url = server.Url();
        site.password = "wrong";
        const QList<TransferOutcome> out = transfer.FindFiles2SendSA().files;
        ASSERT_EQ(out.size(), 1);
        EXPECT_FALSE(out[0].sent);
        EXPECT_TRUE(out[0].message.contains("530")) << out[0].message.toStdString();
    }
    site.password = "secret";
    {
        site.url = QStringLiteral("ftp://127.0.0.1:%1/").arg(ClosedPort());
        const QList<TransferOutcome> out = transfer.FindFiles2SendSA().files;
        ASSERT_EQ(out.size(), 1);
        EXPECT_FALSE(out[0].sent);
        EXPECT_FALSE(out[0].message.isEmpty());
    }
    {
        FtpServer server("nolist");
        ASSERT_TRUE(server.Started());
        site.url = server.Url();
        const QList<TransferOutcome> out = transfer.FindFiles2SendSA().files;
        ASSERT_EQ(out.size(), 1);
        EXPECT_EQ(out[0].message, "DIR failed to respond with fileD06083.083");
    }
    {
        FtpServer server("refuse");
        ASSERT_TRUE(server.Started());
        site.url = server.Url();
        const QList<TransferOutcome> out = transfer.FindFiles2SendSA().files;
        ASSERT_EQ(out.size(), 1);
        EXPECT_FALSE(out[0].sent);
        EXPECT_TRUE(out[0].message.contains("553")) << out[0].message.toStdString();
    }
    EXPECT_TRUE(QFile::exists(station.DataDir() + "D06083.083"));
    EXPECT_EQ(Comments().size(), 4);
}

TEST_F(TransferTest, ASlowButMovingUploadCompletes) {
    // The limit is on time without progress: a day file that takes longer
    // than the limit on a slow link still arrives: three seconds at the
    // server's 8 KB/s against a limit of two, the bytes going steadily (the
    // longest wait, for the confirmation while the server reads the last
    // of its buffer, is about half a second).
    CurlFtpClient ftp;
    ftp.SetNoProgressSeconds(2);
    const QByteArray big(24 * 1024, 'd');
    station.Write("data/D06083.083", big);
    FtpServer server("slow");
    ASSERT_TRUE(server.Started());
    const FtpClient::Site slow{server.Url(), "dobson", "secret", ""};
    const FtpReply put = ftp.Put(slow, station.DataDir() + "D06083.083", "D06083.083");
    EXPECT_TRUE(put.ok) << put.text.toStdString();
    QFile arrived(server.Root() + "D06083.083");
    ASSERT_TRUE(arrived.open(QIODevice::ReadOnly));
    EXPECT_TRUE(arrived.readAll() == big) << "the file arrived changed";
}

TEST_F(TransferTest, AStalledUploadIsGivenUpAfterTheLimit) {
    // A server that stops reading mid-transfer, or takes the whole file
    // into its buffers and never confirms it: given up after the limit.
    CurlFtpClient ftp;
    ftp.SetNoProgressSeconds(1);
    FtpServer server("stall");
    ASSERT_TRUE(server.Started());
    const FtpClient::Site stalled{server.Url(), "dobson", "secret", ""};
    station.Write("data/D06084.083", QByteArray(40 * 1024, 's'));
    const FtpReply put = ftp.Put(stalled, station.DataDir() + "D06084.083", "D06084.083");
    EXPECT_FALSE(put.ok);
    EXPECT_EQ(put.text, "no progress for 1 seconds: the server stopped answering");
}

TEST_F(TransferTest, UnusableArchiveSiteSendsNothingAndSaysWhy) {
    DayFile("D06083.083");
    site.error = "CallHome.cfg cannot be read (x): no files will be sent.";
    int puts = 0;
    class CountingFtp : public FtpClient {
    public:
        explicit CountingFtp(int& puts) : puts_(puts) {}
        FtpReply Put(const Site&, const QString&, const QString&) override {
            ++puts_;
            return {};
        }
        FtpReply List(const Site&, const QString&) override { return {}; }

    private:
        int& puts_;
    } ftp(puts);
    ArchiveTransfer transfer(vars.setup, vars.day, site, clock, messages, ftp);
    QStringList shown;
    transfer.SetMessageLine([&](const QString& text) { shown << text; });
    EXPECT_TRUE(transfer.FindFiles2SendSA().files.isEmpty());
    EXPECT_EQ(puts, 0);
    EXPECT_EQ(shown, QStringList{site.error});
    EXPECT_TRUE(Comments().last().contains("Failed: CallHome.cfg cannot be read"));
    EXPECT_TRUE(QFile::exists(station.DataDir() + "D06083.083"));
}

TEST(TransferCli, SendPrintsOneLinePerFile) {
    FtpServer server;
    ASSERT_TRUE(server.Started());
    TestStation station;
    station.Write("config/CallHome.cfg", server.Url().toUtf8() + "\r\ndobson\r\nsecret\r\n");
    station.Write("disc.cfg", "config\r\ndata\r\nhistory\r\n/dev/null\r\n");
    station.Write("data/D06083.061", "\"Boulder, Colorado\"\r\n");
    QProcess cli;
    cli.start(QStringLiteral(QUILLON_CLI), {"--home", station.Home(), "send"});
    ASSERT_TRUE(cli.waitForFinished(30000));
    EXPECT_EQ(cli.exitCode(), 0);
    EXPECT_EQ(cli.readAllStandardOutput(), "Sent:D06083.061\n");
    EXPECT_TRUE(QFile::exists(station.DataDir() + "Mar2006/D06083.061"));

    station.Write("data/D06084.061", "\"Boulder, Colorado\"\r\n");
    station.Write("config/CallHome.cfg", server.Url().toUtf8() + "\r\ndobson\r\nwrong\r\n");
    cli.start(QStringLiteral(QUILLON_CLI), {"--home", station.Home(), "send"});
    ASSERT_TRUE(cli.waitForFinished(30000));
    EXPECT_EQ(cli.exitCode(), 1);
    EXPECT_TRUE(cli.readAllStandardOutput().isEmpty());
    EXPECT_TRUE(cli.readAllStandardError().startsWith("Failed:D06084.061:"));

    // A site that names another kind of address: nothing sent, and said.
    station.Write("config/CallHome.cfg", "http://archive.example/\r\ndobson\r\nsecret\r\n");
    cli.start(QStringLiteral(QUILLON_CLI), {"--home", station.Home(), "send"});
    ASSERT_TRUE(cli.waitForFinished(30000));
    EXPECT_EQ(cli.exitCode(), 1);
    EXPECT_TRUE(cli.readAllStandardOutput().isEmpty());
    EXPECT_TRUE(cli.readAllStandardError().contains("CallHome.cfg"));

    // Sent, but its monthly folder cannot be made: the script learns it.
    station.Write("config/CallHome.cfg", server.Url().toUtf8() + "\r\ndobson\r\nsecret\r\n");
    station.Remove("data/Mar2006/D06083.061");
    ASSERT_TRUE(QDir().rmdir(station.DataDir() + "Mar2006"));
    station.Write("data/Mar2006", "a file where the folder should be");
    cli.start(QStringLiteral(QUILLON_CLI), {"--home", station.Home(), "send"});
    ASSERT_TRUE(cli.waitForFinished(30000));
    EXPECT_EQ(cli.exitCode(), 1);
    EXPECT_EQ(cli.readAllStandardOutput(), "Sent:D06084.061\n");
    EXPECT_EQ(cli.readAllStandardError(), "Failed Archive D06084.061: Cannot create " +
                                              station.DataDir().toUtf8() + "Mar2006\n");
}

TEST(TransferCli, SendOnAStationOfPracticeDaysOrWithoutItsDataDirectory) {
    FtpServer server;
    ASSERT_TRUE(server.Started());
    TestStation station;
    station.Write("config/CallHome.cfg", server.Url().toUtf8() + "\r\ndobson\r\nsecret\r\n");
    station.Write("disc.cfg", "config\r\ndata\r\nhistory\r\n/dev/null\r\n");
    station.Write("data/D06083.999", "\"Boulder, Colorado\"\r\n");
    QProcess cli;
    cli.start(QStringLiteral(QUILLON_CLI), {"--home", station.Home(), "send"});
    ASSERT_TRUE(cli.waitForFinished(30000));
    EXPECT_EQ(cli.exitCode(), 0);
    EXPECT_EQ(cli.readAllStandardOutput(),
              "Nothing to send: 1 day file(s) ending .999 (D06083.999) were kept without the "
              "encoder and are never sent to the archive.\n");

    station.Write("disc.cfg", "config\r\nlost\r\nhistory\r\n/dev/null\r\n");
    station.Write("lost", "a file where the data directory should be");
    cli.start(QStringLiteral(QUILLON_CLI), {"--home", station.Home(), "send"});
    ASSERT_TRUE(cli.waitForFinished(30000));
    EXPECT_EQ(cli.exitCode(), 1);
    EXPECT_TRUE(cli.readAllStandardError().contains("cannot read the data directory"));
}

TEST(ListedSize, UnixAndDosListings) {
    EXPECT_EQ(ListedSize("-rw-r--r--   1 dobson   dobson      37120 Mar 25 00:05 D06083.083\r\n",
                         "D06083.083"),
              37120);
    EXPECT_EQ(ListedSize("03-25-06  12:05AM                37120 D06083.083\r\n", "D06083.083"),
              37120);
    // Another file's line, or a listing without sizes: nothing to compare.
    EXPECT_EQ(ListedSize("-rw-r--r-- 1 a a 5 Mar 25 00:05 D06084.083\r\n", "D06083.083"),
              std::nullopt);
    EXPECT_EQ(ListedSize("D06083.083\r\n", "D06083.083"), std::nullopt);
}

TEST_F(TransferTest, AServerThatKeepsPartOfAFileGetsItAgain) {
    // 226 after storing half of the file: not "Sent", not filed away.
    station.Write("data/D06083.083", QByteArray(3000, 'd'));
    CurlFtpClient ftp;
    ArchiveTransfer transfer(vars.setup, vars.day, site, clock, messages, ftp);
    site.user = "dobson";
    site.password = "secret";
    FtpServer server("partial");
    ASSERT_TRUE(server.Started());
    site.url = server.Url();
    const QList<TransferOutcome> out = transfer.FindFiles2SendSA().files;
    ASSERT_EQ(out.size(), 1);
    EXPECT_FALSE(out[0].sent);
    EXPECT_EQ(out[0].message,
              "The archive holds 1500 of the 3000 bytes of D06083.083: it will be sent again.");
    EXPECT_TRUE(QFile::exists(station.DataDir() + "D06083.083"));
    EXPECT_FALSE(QDir(station.DataDir() + "Mar2006").exists());
}

TEST_F(TransferTest, ExplicitTlsIsAskedForAndNeverFallsBackToTheClear) {
    // ftpes:// is an ftp:// connection that must switch to TLS (AUTH TLS);
    // ftps:// is TLS from the first byte.
    EXPECT_EQ(CurlFtpClient::DirectoryUrl("FTPES://10.0.0.1/dobson"), "ftp://10.0.0.1/dobson/");
    EXPECT_EQ(CurlFtpClient::DirectoryUrl("ftps://10.0.0.1/dobson"), "ftps://10.0.0.1/dobson/");
    station.Write("config/CallHome.cfg", "ftpes://archive.example/dobson\r\nu\r\np\r\n");
    const ArchiveSite read = ReadArchiveSite(LoadedVars(station).setup.ConfigDir);
    EXPECT_TRUE(read.error.isEmpty()) << read.error.toStdString();

    // A server that speaks no TLS: the upload is refused, nothing is sent
    // in the clear, and the password never crosses the wire unprotected.
    station.Write("data/D06083.083", "x\r\n");
    FtpServer server;
    ASSERT_TRUE(server.Started());
    CurlFtpClient ftp;
    const FtpClient::Site plainServer{QStringLiteral("ftpes://127.0.0.1:%1/").arg(server.Port()),
                                      "dobson", "secret", ""};
    const FtpReply put = ftp.Put(plainServer, station.DataDir() + "D06083.083", "D06083.083");
    EXPECT_FALSE(put.ok);
    EXPECT_FALSE(QFile::exists(server.Root() + "D06083.083"));
}

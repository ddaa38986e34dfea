// SPDX-License-Identifier: GPL-3.0-or-later
// Free-format items and the 8-bit CR LF text of the station's files.
#include "util/ItemReader.h"
#include "util/TextFile.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace quillon;

TEST(ItemReader, QuotedCommasItemsOnOneLineAndBlankLines) {
    ItemReader reader(QStringLiteral("  \"Boulder, Colorado\" , BDR\r\n\r\n12.5,  -3 \r\nlast"));
    EXPECT_EQ(reader.Next(), QStringLiteral("Boulder, Colorado"));
    EXPECT_EQ(reader.Next(), QStringLiteral("BDR"));
    EXPECT_EQ(reader.Next(), QStringLiteral("12.5"));
    EXPECT_EQ(reader.Next(), QStringLiteral("-3"));
    EXPECT_EQ(reader.Next(), QStringLiteral("last"));
    EXPECT_EQ(reader.ItemNumber(), 5);
    EXPECT_FALSE(reader.Next().has_value());
}

TEST(ItemReader, NumbersWithBlanksAndRefusals) {
    double v = 0;
    EXPECT_TRUE(ParseNumberItem(" 12.5 ", &v));
    EXPECT_DOUBLE_EQ(v, 12.5);
    EXPECT_TRUE(ParseNumberItem("- 9.999", &v));
    EXPECT_DOUBLE_EQ(v, -9.999);
    EXPECT_FALSE(ParseNumberItem("12,5", &v));
    EXPECT_FALSE(ParseNumberItem("abc", &v));
    EXPECT_FALSE(ParseNumberItem("", &v));
}

TEST(TextFile, Windows1252AndCrLf) {
    const QString text =
        QStringLiteral("300.0") + QChar(0xB1) + QStringLiteral("1.2 ") + QChar(0x20AC);
    const QByteArray bytes = CrLfLines({text, QStringLiteral("second")});
    EXPECT_EQ(static_cast<unsigned char>(bytes[5]), 177);
    EXPECT_EQ(static_cast<unsigned char>(bytes[10]), 0x80);
    EXPECT_TRUE(bytes.endsWith("second\r\n"));
    EXPECT_EQ(bytes.count("\r\n"), 2);
    EXPECT_EQ(SplitLines(DecodeWindows1252(bytes)), QStringList({text, QStringLiteral("second")}));
    EXPECT_EQ(SplitLines("a\nb\rc\r\n"), QStringList({"a", "b", "c"}));
}

TEST(TextFile, EveryByteReadIsWrittenBackUnchanged) {
    // "Í" and "Ý" of a UTF-8 station name arrive as bytes 0xC3 0x8D and
    // 0xC3 0x9D; 0x81, 0x8D, 0x8F, 0x90 and 0x9D are undefined in
    // Windows-1252 and must survive the round trip all the same.
    QByteArray all;
    for (int b = 1; b < 256; ++b) {
        if (b != '\r' && b != '\n') {
            all += static_cast<char>(b);
        }
    }
    EXPECT_EQ(EncodeWindows1252(DecodeWindows1252(all)), all);
    EXPECT_EQ(EncodeWindows1252(DecodeWindows1252("\xC3\x8D\xC3\x9D")), "\xC3\x8D\xC3\x9D");
}

TEST(TextFile, MissingFileAndMissingDirectory) {
    const Result<QString> noDirectory = ReadTextFile("/nonexistent-quillon-dir/x.cfg");
    ASSERT_FALSE(noDirectory.ok());
    EXPECT_EQ(noDirectory.error().kind, ErrorKind::NotFound);
    EXPECT_EQ(noDirectory.error().number, 76);
    EXPECT_EQ(noDirectory.error().message, "Path not found");
    const Result<QString> noFile = ReadTextFile("/tmp/quillon-no-such-file.cfg");
    ASSERT_FALSE(noFile.ok());
    EXPECT_EQ(noFile.error().kind, ErrorKind::NotFound);
    EXPECT_EQ(noFile.error().number, 53);
    EXPECT_EQ(noFile.error().message, "File not found");
}

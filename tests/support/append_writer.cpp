// SPDX-License-Identifier: GPL-3.0-or-later
// Helper for the crash tests: appends numbered day-file records to a day
// file, by the day file's own repair rule, starting at the number given,
// and prints each record's number once its append has returned; runs until
// it is killed.
#include "records/DayFileReader.h"
#include "util/DurableFile.h"

#include <QByteArray>
#include <QString>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc < 3) {
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    long n = std::atol(argv[2]);
    QString error;
    for (;; ++n) {
        // COMMENT records of 2 to 50 lines whose text lines say which
        // record they belong to.
        const int lines = static_cast<int>(n % 49) + 1;
        QByteArray record =
            "\"COMMENT\",\"03/24/2006\",\"12:00:00\"," + QByteArray::number(lines) + "\r\n";
        for (int i = 0; i < lines; ++i) {
            record += "\"record " + QByteArray::number(n) + " line " + QByteArray::number(i) + " " +
                      QByteArray(40, 'x') + "\"\r\n";
        }
        const quillon::Result<void> written =
            quillon::AppendRecord(path, record, quillon::DayFileWholeLength);
        if (!written) {
            std::fprintf(stderr, "%s\n", qPrintable(written.error().message));
            return 1;
        }
        std::printf("%ld\n", n);
        std::fflush(stdout);
    }
}

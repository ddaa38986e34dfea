// Helper for the crash test: appends numbered three-line records to a file
// for ever, until the test kills it.
#include "util/DurableFile.h"

#include <QByteArray>
#include <QString>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 2) {
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    const QByteArray padding(300, 'x');
    for (long n = 0;; ++n) {
        const QByteArray number = QByteArray::number(n);
        const QByteArray record =
            "\"REC\"," + number + "\r\n\"" + padding + "\"\r\n\"END\"," + number + "\r\n";
        QString error;
        if (!quillon::AppendRecord(path, record, &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
    }
}

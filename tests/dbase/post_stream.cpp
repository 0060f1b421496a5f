// Posts numbered records to Stream.dbf in the folder given as the argument,
// printing each number once its post has returned, until it is killed.
// With "reopen" as the second argument it closes and opens the table again
// after every 20 posts, so a kill often falls into the index write at close.

#include "dbase/Table.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstring>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
    const bool reopen = argc > 2 && std::strcmp(argv[2], "reopen") == 0;
    try {
        dbase::Table t;
        t.setDatabaseName(QString::fromLocal8Bit(argv[1]));
        t.setTableName("Stream.dbf");
        t.open();
        t.setOrder("CISLO");
        for (int i = t.recordCount();; ++i) {
            t.insert();
            t.setFieldText("CISLO", QString::number(i));
            t.setFieldText("TEXT", QString("Záznam číslo %1").arg(i));
            t.post();
            std::printf("%d\n", i);
            std::fflush(stdout);
            if (reopen && i % 20 == 19) {
                t.close();
                t.open();
            }
        }
    } catch (const dbase::Error &e) {
        std::fprintf(stderr, "%s\n", e.message().toUtf8().constData());
        return 1;
    }
}

// Posts numbered records to Stream.dbf in the folder given as the argument,
// printing each number once its post has returned, until it is killed.

#include "dbase/Table.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
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
        }
    } catch (const dbase::Error &e) {
        std::fprintf(stderr, "%s\n", e.message().toUtf8().constData());
        return 1;
    }
}

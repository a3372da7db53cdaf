// Compacts one database file over and over, until it is killed.
#include "db/compact.h"
#include "db/database.h"

#include <QString>
#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    const QString path = QString::fromLocal8Bit(argv[1]);
    std::printf("ready\n");
    std::fflush(stdout);
    for (;;) {
        if (!pptdrill::compactDatabaseFile(path, pptdrill::databasePassword()))
            return 1;
    }
}

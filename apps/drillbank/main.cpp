// drillbank: compiles the question bank's text sources into "stdata.db".
#include "bank/bankcompiler.h"
#include "bank/banksource.h"

#include <QString>
#include <cstdio>

using namespace Qt::Literals::StringLiterals;

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "用法：drillbank <题库目录> <输出的 stdata.db>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QString output = QString::fromLocal8Bit(argv[2]);

    auto sets = pptdrill::readBankFolder(folder);
    if (!sets) {
        std::fprintf(stderr, "drillbank: %s\n", sets.error().toUtf8().constData());
        return 1;
    }
    auto summary = pptdrill::compileBank(sets.value(), output);
    if (!summary) {
        std::fprintf(stderr, "drillbank: %s\n", summary.error().toUtf8().constData());
        return 1;
    }
    std::printf("drillbank: %s — %d 套题，%d 道题\n", output.toUtf8().constData(), summary->sets,
                summary->questions);
    return 0;
}

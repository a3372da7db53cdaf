// drillbank: compiles the question bank's text sources into "stdata.db".
#include "bank/bankcompiler.h"
#include "bank/banksource.h"
#include "bank/syllabus.h"
#include "common/programinfo.h"

#include <QFile>
#include <QString>
#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString usage = u"用法：drillbank <题库目录> <输出的 stdata.db>\n"
                      u"      drillbank --syllabus <题库目录> <syllabus.md>\n"_s;

// Rewrites each knowledge point's list of questions in the syllabus from the
// bank's 知识点 lines, prints the counts per set, part and point, and what the
// bank still lacks against the syllabus.
int updateSyllabus(const QString& folder, const QString& syllabusPath)
{
    auto sets = pptdrill::readBankFolder(folder);
    if (!sets) {
        std::fprintf(stderr, "drillbank: %s\n", sets.error().toUtf8().constData());
        return 1;
    }
    QFile file(syllabusPath);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "drillbank: %s: %s\n", syllabusPath.toUtf8().constData(),
                     file.errorString().toUtf8().constData());
        return 1;
    }
    const QString updated =
        pptdrill::syllabusWithBankQuestions(QString::fromUtf8(file.readAll()), sets.value());
    file.close();
    auto syllabus = pptdrill::readSyllabusText(updated, syllabusPath);
    if (!syllabus) {
        std::fprintf(stderr, "drillbank: %s\n", syllabus.error().toUtf8().constData());
        return 1;
    }
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(updated.toUtf8()) < 0 ||
        !file.flush()) {
        std::fprintf(stderr, "drillbank: %s: %s\n", syllabusPath.toUtf8().constData(),
                     file.errorString().toUtf8().constData());
        return 1;
    }
    std::printf("%s", pptdrill::syllabusReport(syllabus.value(), sets.value()).toUtf8().constData());
    const QStringList faults = pptdrill::syllabusFaults(syllabus.value(), sets.value());
    for (const QString& fault : faults)
        std::fprintf(stderr, "drillbank: %s\n", fault.toUtf8().constData());
    return faults.isEmpty() ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (const auto answered = pptdrill::answerInformationOption(
            argc, argv, "drillbank",
            usage + u"把题库的文本源编译为 stdata.db，或按题库更新考试大纲的题目列表。\n"_s))
        return *answered;
    if (argc == 4 && QString::fromLocal8Bit(argv[1]) == u"--syllabus"_s)
        return updateSyllabus(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    if (argc != 3) {
        std::fputs(usage.toUtf8().constData(), stderr);
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

#include "bank/banksource.h"
#include "bank/syllabus.h"

#include <QDir>
#include <gtest/gtest.h>
#include <map>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;

namespace {

int paperShare(const QString& part)
{
    return part == u"对象"_s ? 8 : 4;
}

int sprintShare(const QString& part)
{
    static const std::map<QString, int> shares{{u"窗口与视图"_s, 2}, {u"演示文稿"_s, 2}, {u"幻灯片"_s, 3},
                                               {u"文本"_s, 4},       {u"对象"_s, 8},     {u"外观"_s, 6},
                                               {u"动画"_s, 7},       {u"放映"_s, 4},     {u"打印"_s, 4}};
    return shares.at(part);
}

// A syllabus of the nine parts, one or two points each; a paper is 4 or 5
// questions a part, so that small sets can be in proportion.
QString smallSyllabus(const QString& extraPoint = {})
{
    QString text = u"# 大纲\n\n| part | paper | sprint |\n|---|---|---|\n"_s;
    for (const QString& part : bankTopics())
        text += u"| %1 | %2 | %3 |\n"_s.arg(part).arg(paperShare(part)).arg(sprintShare(part));
    for (const QString& part : bankTopics()) {
        text += u"\n## "_s + part + u"\n\n说明文字。\n\n"_s;
        text += u"- %1甲 |\n"_s.arg(part);
        if (part == u"对象"_s)
            text += u"- 对象乙 |\n"_s;
    }
    return text + extraPoint;
}

// A set of 40 in a paper's proportions: part by part, each question on the
// part's first point (对象's second half on 对象乙).
BankSet paperSet(const QString& file, const QString& name)
{
    BankSet set{name, {}, file, {}};
    int number = 0;
    for (const QString& part : bankTopics()) {
        for (int k = 0; k < paperShare(part); ++k) {
            BankQuestion q;
            q.number = ++number;
            q.type = u"5"_s;
            q.topic = part;
            q.point = q.topic == u"对象"_s && k >= 4 ? u"对象乙"_s : q.topic + u"甲"_s;
            q.stem = u"%1 第 %2 题"_s.arg(name).arg(number);
            set.questions.push_back(q);
        }
    }
    return set;
}

Syllabus readSmall(const std::vector<BankSet>& sets, const QString& extraPoint = {})
{
    // The lists are written from the bank first, as drillbank --syllabus does.
    auto syllabus = readSyllabusText(syllabusWithBankQuestions(smallSyllabus(extraPoint), sets), u"s.md"_s);
    EXPECT_TRUE(syllabus.ok()) << syllabus.error().toStdString();
    return syllabus.ok() ? syllabus.value() : Syllabus{};
}

bool anyFaultContains(const QStringList& faults, const QString& text)
{
    for (const QString& f : faults) {
        if (f.contains(text))
            return true;
    }
    return false;
}

} // namespace

TEST(Syllabus, ReadsPartsSharesAndPointsAndRefusesAMalformedOutline)
{
    auto syllabus = readSyllabusText(smallSyllabus() + u"- 新点 | 01/3, 02/4\n"_s, u"s.md"_s);
    ASSERT_TRUE(syllabus.ok()) << syllabus.error().toStdString();
    ASSERT_EQ(syllabus->parts.size(), 9u);
    EXPECT_EQ(syllabus->part(u"对象"_s)->paperShare, 8);
    EXPECT_EQ(syllabus->part(u"动画"_s)->sprintShare, 7);
    ASSERT_NE(syllabus->point(u"新点"_s), nullptr);
    EXPECT_EQ(syllabus->point(u"新点"_s)->part, u"打印"_s);
    EXPECT_EQ(syllabus->point(u"新点"_s)->questions, (QStringList{u"01/3"_s, u"02/4"_s}));
    EXPECT_TRUE(syllabus->point(u"打印甲"_s)->questions.isEmpty());

    const QString doubled = smallSyllabus() + u"- 打印甲 |\n"_s;
    auto refused = readSyllabusText(doubled, u"s.md"_s);
    ASSERT_FALSE(refused.ok());
    EXPECT_TRUE(refused.error().contains(u"打印甲"_s)) << refused.error().toStdString();

    // A part given twice, at the line of its second heading.
    QString twice = smallSyllabus();
    twice.replace(u"## 放映\n"_s, u"## 打印\n"_s);
    const qsizetype second = twice.indexOf(u"## 打印\n"_s, twice.indexOf(u"## 打印\n"_s) + 1);
    const int line = static_cast<int>(twice.left(second).count(u'\n')) + 1;
    auto repeated = readSyllabusText(twice, u"s.md"_s);
    ASSERT_FALSE(repeated.ok());
    EXPECT_EQ(repeated.error(), u"s.md:%1: 部分“打印”重复"_s.arg(line)) << repeated.error().toStdString();

    QString unknownPart = smallSyllabus();
    unknownPart.replace(u"## 打印\n"_s, u"## 杂项\n"_s);
    EXPECT_FALSE(readSyllabusText(unknownPart, u"s.md"_s).ok());

    QString badShares = smallSyllabus();
    badShares.replace(u"| 打印 | 4 | 4 |"_s, u"| 打印 | 5 | 4 |"_s);
    auto shares = readSyllabusText(badShares, u"s.md"_s);
    ASSERT_FALSE(shares.ok());
    EXPECT_TRUE(shares.error().contains(u"41"_s)) << shares.error().toStdString();
}

TEST(Syllabus, ASoundBankHasNoFaultsAndTheListsAreWrittenFromIt)
{
    const std::vector<BankSet> sets{paperSet(u"01.txt"_s, u"第1套题"_s)};
    const QString written = syllabusWithBankQuestions(smallSyllabus(), sets);
    EXPECT_TRUE(written.contains(u"- 对象甲 | 01/21, 01/22, 01/23, 01/24\n"_s)) << written.toStdString();
    EXPECT_TRUE(written.contains(u"说明文字。"_s));
    // The table above the parts is prose and stays as it was.
    EXPECT_TRUE(written.contains(u"| 对象 | 8 | 8 |"_s));

    // Each point of the small syllabus is asked at least four times by one set.
    const Syllabus syllabus = readSmall(sets);
    EXPECT_TRUE(syllabusFaults(syllabus, sets).isEmpty())
        << syllabusFaults(syllabus, sets).join(u'\n').toStdString();
}

TEST(Syllabus, FindsEveryKindOfFault)
{
    // A point no question asks.
    {
        const std::vector<BankSet> sets{paperSet(u"01.txt"_s, u"第1套题"_s)};
        const QStringList faults = syllabusFaults(readSmall(sets, u"- 孤点 |\n"_s), sets);
        EXPECT_TRUE(anyFaultContains(faults, u"知识点“孤点”只有 0 道题"_s))
            << faults.join(u'\n').toStdString();
    }
    // 知识点 missing, unknown, or of another part; a stem asked twice.
    {
        std::vector<BankSet> sets{paperSet(u"01.txt"_s, u"第1套题"_s)};
        const Syllabus syllabus = readSmall(sets);
        sets[0].questions[0].point.clear();
        sets[0].questions[1].point = u"不存在"_s;
        sets[0].questions[2].point = u"打印甲"_s;
        sets[0].questions[3].stem = sets[0].questions[39].stem;
        const QStringList faults = syllabusFaults(syllabus, sets);
        EXPECT_TRUE(anyFaultContains(faults, u"01/1: 没有“知识点”"_s)) << faults.join(u'\n').toStdString();
        EXPECT_TRUE(anyFaultContains(faults, u"01/2: 知识点“不存在”不在大纲中"_s));
        EXPECT_TRUE(anyFaultContains(faults, u"01/3: 知识点“打印甲”属于“打印”，而考点是“窗口与视图”"_s));
        EXPECT_TRUE(anyFaultContains(faults, u"01/40: 题干与 01/4 相同"_s));
        // The lists written before the questions changed no longer agree with the bank.
        EXPECT_TRUE(anyFaultContains(faults, u"知识点“窗口与视图甲”的题目列表与题库不符"_s));
    }
    // A set short of 40, and parts out of proportion by more than one question.
    {
        std::vector<BankSet> sets{paperSet(u"01.txt"_s, u"第1套题"_s), paperSet(u"10.txt"_s, u"第10套题"_s)};
        sets[0].questions.pop_back(); // one 打印 question fewer: within the tolerance
        const Syllabus syllabus = readSmall(sets);
        const QStringList faults = syllabusFaults(syllabus, sets);
        EXPECT_TRUE(anyFaultContains(faults, u"01: 第1套题 有 39 道题，应为 40 道"_s))
            << faults.join(u'\n').toStdString();
        EXPECT_FALSE(anyFaultContains(faults, u"01: “打印”"_s));
        // A sprint set in a paper's proportions is two short in 动画 and two over in 窗口与视图.
        EXPECT_TRUE(anyFaultContains(faults, u"10: “动画”有 4 道题，比例应为 7 道"_s));
        EXPECT_TRUE(anyFaultContains(faults, u"10: “窗口与视图”有 4 道题，比例应为 2 道"_s));
        EXPECT_FALSE(anyFaultContains(faults, u"10: “幻灯片”"_s)) << "4 for 3 is within the tolerance";
    }
}

TEST(Syllabus, TheBankAsksEveryPointAtLeastThreeTimesAndKeepsEverySetInProportion)
{
    const QString source = QStringLiteral(DRILL_SOURCE_DIR);
    auto syllabus = readSyllabusFile(QDir(source).filePath(u"docs/syllabus.md"_s));
    ASSERT_TRUE(syllabus.ok()) << syllabus.error().toStdString();
    auto sets = readBankFolder(QDir(source).filePath(u"bank"_s));
    ASSERT_TRUE(sets.ok()) << sets.error().toStdString();
    ASSERT_EQ(sets->size(), 12u);
    const QStringList faults = syllabusFaults(syllabus.value(), sets.value());
    EXPECT_TRUE(faults.isEmpty()) << "run `drillbank --syllabus bank docs/syllabus.md` to write the lists:\n"
                                  << faults.join(u'\n').toStdString();
}

#include "bank/syllabus.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <map>
#include <set>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

const QString kPointSeparator = u" | "_s;

bool isSprintSet(const BankSet& set)
{
    static const QStringList sprint{u"第10套题"_s, u"第11套题"_s, u"第12套题"_s};
    return sprint.contains(set.name);
}

// "- 格式刷 | 04/20, 06/19" → name and list; false when the line is no point.
bool splitPointLine(const QString& line, QString& name, QStringList& questions)
{
    if (!line.startsWith(u"- "_s))
        return false;
    const QString rest = line.mid(2);
    qsizetype bar = rest.indexOf(kPointSeparator);
    QString list;
    if (bar >= 0) {
        list = rest.mid(bar + kPointSeparator.size());
    } else if (rest.endsWith(u" |"_s)) {
        bar = rest.size() - 2;
    } else {
        return false;
    }
    name = rest.left(bar).trimmed();
    questions.clear();
    for (const QString& q : list.split(u',', Qt::SkipEmptyParts))
        questions << q.trimmed();
    return true;
}

} // namespace

const SyllabusPoint* Syllabus::point(const QString& name) const
{
    for (const SyllabusPoint& p : points) {
        if (p.name == name)
            return &p;
    }
    return nullptr;
}

const SyllabusPart* Syllabus::part(const QString& name) const
{
    for (const SyllabusPart& p : parts) {
        if (p.name == name)
            return &p;
    }
    return nullptr;
}

Result<Syllabus> readSyllabusText(const QString& text, const QString& fileName)
{
    using R = Result<Syllabus>;
    const auto fail = [&](int line, const QString& what) {
        return R::failure(u"%1:%2: %3"_s.arg(fileName).arg(line).arg(what));
    };
    static const QRegularExpression shareRow(u"^\\|\\s*(\\S+)\\s*\\|\\s*(\\d+)\\s*\\|\\s*(\\d+)\\s*\\|$"_s);
    Syllabus syllabus;
    std::map<QString, std::pair<int, int>> shares;
    QString part;
    const QStringList lines = text.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const int lineNo = static_cast<int>(i) + 1;
        const QString line = lines[i].trimmed();
        if (line.startsWith(u"## "_s)) {
            const QString heading = line.mid(3).trimmed();
            if (bankTopics().contains(heading)) {
                if (syllabus.part(heading))
                    return fail(lineNo, u"部分“%1”重复"_s.arg(heading));
                part = heading;
                syllabus.parts.push_back({heading, 0, 0});
            } else if (!part.isEmpty()) {
                return fail(lineNo, u"“%1”不是%2之一"_s.arg(heading, bankTopics().join(u'、')));
            }
            continue;
        }
        if (part.isEmpty()) {
            if (const auto m = shareRow.match(line); m.hasMatch() && bankTopics().contains(m.captured(1)))
                shares[m.captured(1)] = {m.captured(2).toInt(), m.captured(3).toInt()};
            continue;
        }
        SyllabusPoint point;
        if (!splitPointLine(line, point.name, point.questions))
            continue;
        if (point.name.isEmpty())
            return fail(lineNo, u"知识点没有名称"_s);
        if (syllabus.point(point.name))
            return fail(lineNo, u"知识点“%1”重复"_s.arg(point.name));
        point.part = part;
        point.line = lineNo;
        syllabus.points.push_back(std::move(point));
    }
    if (syllabus.parts.size() != static_cast<size_t>(bankTopics().size()))
        return fail(static_cast<int>(lines.size()), u"应有九个部分：%1"_s.arg(bankTopics().join(u'、')));
    int paper = 0, sprint = 0;
    for (SyllabusPart& p : syllabus.parts) {
        const auto share = shares.find(p.name);
        if (share == shares.end())
            return fail(1, u"比例表中没有“%1”"_s.arg(p.name));
        p.paperShare = share->second.first;
        p.sprintShare = share->second.second;
        paper += p.paperShare;
        sprint += p.sprintShare;
    }
    if (paper != kQuestionsPerSet || sprint != kQuestionsPerSet)
        return fail(1,
                    u"比例表每列之和应为 %1（现为 %2 和 %3）"_s.arg(kQuestionsPerSet).arg(paper).arg(sprint));
    return syllabus;
}

Result<Syllabus> readSyllabusFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Result<Syllabus>::failure(u"%1: 无法打开：%2"_s.arg(path, file.errorString()));
    return readSyllabusText(QString::fromUtf8(file.readAll()), QFileInfo(path).fileName());
}

QString questionKey(const BankSet& set, const BankQuestion& question)
{
    return u"%1/%2"_s.arg(QFileInfo(set.sourceFile).completeBaseName()).arg(question.number);
}

QStringList syllabusFaults(const Syllabus& syllabus, const std::vector<BankSet>& sets)
{
    QStringList faults;
    std::map<QString, QStringList> askedBy; // point → questions, from the bank
    std::map<QString, QString> stems;       // stem → the question that asks it
    for (const BankSet& set : sets) {
        std::map<QString, int> perPart;
        for (const BankQuestion& q : set.questions) {
            const QString key = questionKey(set, q);
            const SyllabusPoint* point = syllabus.point(q.point);
            if (q.point.isEmpty())
                faults << u"%1: 没有“知识点”"_s.arg(key);
            else if (!point)
                faults << u"%1: 知识点“%2”不在大纲中"_s.arg(key, q.point);
            else if (point->part != q.topic)
                faults << u"%1: 知识点“%2”属于“%3”，而考点是“%4”"_s.arg(key, q.point, point->part, q.topic);
            else
                askedBy[q.point] << key;
            ++perPart[q.topic];
            if (const auto [it, fresh] = stems.emplace(q.stem, key); !fresh)
                faults << u"%1: 题干与 %2 相同"_s.arg(key, it->second);
        }
        const QString setKey = QFileInfo(set.sourceFile).completeBaseName();
        if (set.questions.size() != static_cast<size_t>(kQuestionsPerSet))
            faults << u"%1: %2 有 %3 道题，应为 %4 道"_s.arg(setKey, set.name)
                          .arg(set.questions.size())
                          .arg(kQuestionsPerSet);
        for (const SyllabusPart& part : syllabus.parts) {
            const int want = isSprintSet(set) ? part.sprintShare : part.paperShare;
            const int have = perPart[part.name];
            if (std::abs(have - want) > kProportionTolerance)
                faults << u"%1: “%2”有 %3 道题，比例应为 %4 道（可差 %5 道）"_s.arg(setKey, part.name)
                              .arg(have)
                              .arg(want)
                              .arg(kProportionTolerance);
        }
    }
    for (const SyllabusPoint& point : syllabus.points) {
        const QStringList& bank = askedBy[point.name];
        if (bank.size() < kMinimumQuestionsPerPoint)
            faults << u"知识点“%1”只有 %2 道题，至少应有 %3 道"_s.arg(point.name)
                          .arg(bank.size())
                          .arg(kMinimumQuestionsPerPoint);
        const std::set<QString> listed(point.questions.begin(), point.questions.end());
        const std::set<QString> asked(bank.begin(), bank.end());
        if (listed != asked)
            faults << u"知识点“%1”的题目列表与题库不符（第 %2 行）"_s.arg(point.name).arg(point.line);
    }
    return faults;
}

QString syllabusWithBankQuestions(const QString& text, const std::vector<BankSet>& sets)
{
    std::map<QString, QStringList> askedBy;
    for (const BankSet& set : sets) {
        for (const BankQuestion& q : set.questions)
            askedBy[q.point] << questionKey(set, q);
    }
    QStringList lines = text.split(u'\n');
    bool inParts = false;
    for (QString& line : lines) {
        if (line.startsWith(u"## "_s) && bankTopics().contains(line.mid(3).trimmed()))
            inParts = true;
        QString name;
        QStringList listed;
        if (!inParts || !splitPointLine(line, name, listed))
            continue;
        const QStringList& asked = askedBy[name];
        line = u"- "_s + name + (asked.isEmpty() ? u" |"_s : kPointSeparator + asked.join(u", "_s));
    }
    return lines.join(u'\n');
}

QString syllabusReport(const Syllabus& syllabus, const std::vector<BankSet>& sets)
{
    QString out = u"set"_s;
    for (const SyllabusPart& part : syllabus.parts)
        out += u'\t' + part.name;
    out += u"\ttotal\n"_s;
    std::map<QString, int> perPart, perPoint;
    for (const BankSet& set : sets) {
        std::map<QString, int> counts;
        for (const BankQuestion& q : set.questions) {
            ++counts[q.topic];
            ++perPart[q.topic];
            ++perPoint[q.point];
        }
        out += QFileInfo(set.sourceFile).completeBaseName();
        for (const SyllabusPart& part : syllabus.parts)
            out += u'\t' + QString::number(counts[part.name]);
        out += u'\t' + QString::number(set.questions.size()) + u'\n';
    }
    out += u"all"_s;
    int total = 0;
    for (const SyllabusPart& part : syllabus.parts) {
        out += u'\t' + QString::number(perPart[part.name]);
        total += perPart[part.name];
    }
    out += u'\t' + QString::number(total) + u"\n\n"_s;
    for (const SyllabusPoint& point : syllabus.points)
        out += u"%1\t%2\t%3\n"_s.arg(point.part, point.name).arg(perPoint[point.name]);
    return out;
}

} // namespace pptdrill

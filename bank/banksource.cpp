#include "bank/banksource.h"

#include "db/schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <set>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

// A stem is a task of one or a few sentences (the bank's longest is about a
// hundred characters) that the question bar shows whole; names (a set, a course,
// a knowledge point) fit on one line of the menu and the history.
constexpr qsizetype kMaxStemLength = 2000;
constexpr qsizetype kMaxNameLength = 40;

} // namespace

bool isValidSetName(const QString& name)
{
    static const QRegularExpression setName(u"^第([1-9]|1[0-2])套题$"_s);
    return setName.match(name).hasMatch();
}

const QStringList& bankTopics()
{
    static const QStringList topics{u"窗口与视图"_s, u"演示文稿"_s, u"幻灯片"_s, u"文本"_s, u"外观"_s,
                                    u"对象"_s,       u"动画"_s,     u"放映"_s,   u"打印"_s};
    return topics;
}

Result<BankSet> readBankSetFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Result<BankSet>::failure(u"%1: 无法读取：%2"_s.arg(path, file.errorString()));
    return readBankSetText(file.readAll(), path);
}

namespace {

const QString kNotANumber = u"题号应写成 [数字]"_s;

// A question's heading, "[12]": its number. The error, or empty.
QString readQuestionNumber(const QString& heading, int& number)
{
    static const QRegularExpression section(u"^\\[\\s*(\\d+)\\s*\\]$"_s);
    const QRegularExpressionMatch m = section.match(heading);
    if (!m.hasMatch())
        return kNotANumber;
    bool ok = false;
    number = m.captured(1).toInt(&ok);
    if (!ok || number < 1 || number > kMaxQuestionNumber)
        return u"题号必须是 1 至 %1 之间的整数"_s.arg(kMaxQuestionNumber);
    return {};
}

// "名称 = 值", no longer than its name allows. The error, or empty.
QString readField(const QString& line, QString& key, QString& value)
{
    const qsizetype eq = line.indexOf(u'=');
    if (eq < 0)
        return u"应为“名称 = 值”"_s;
    key = line.left(eq).trimmed();
    value = line.mid(eq + 1).trimmed();
    static const QStringList names{u"套题类"_s, u"课程名"_s, u"题型"_s, u"考点"_s, u"知识点"_s};
    const qsizetype limit = key == u"题干"_s ? kMaxStemLength : names.contains(key) ? kMaxNameLength : -1;
    if (limit >= 0 && value.size() > limit)
        return u"“%1”过长：%2 个字符，最多 %3 个"_s.arg(key).arg(value.size()).arg(limit);
    return {};
}

// What the question just read lacks, or empty.
QString missingField(const BankQuestion* question, const std::set<QString>& keysSeen)
{
    if (!question)
        return {};
    if (!keysSeen.count(u"题型"_s))
        return u"第 %1 题缺少“题型”"_s.arg(question->number);
    if (!keysSeen.count(u"题干"_s))
        return u"第 %1 题缺少“题干”"_s.arg(question->number);
    return {};
}

// A line above the first question: the set's name or its course. The error, or empty.
QString setHeading(BankSet& set, const QString& key, const QString& value)
{
    if (key == u"套题类"_s) {
        if (!isValidSetName(value))
            return u"套题类“%1”不是“第1套题”至“第12套题”之一"_s.arg(value);
        set.name = value;
    } else if (key == u"课程名"_s) {
        if (value.isEmpty())
            return u"课程名为空"_s;
        set.courseName = value;
    } else {
        return u"未知的名称“%1”"_s.arg(key);
    }
    return {};
}

// A line of a question (`line` of the set's file at `path`). The error, or empty.
QString setQuestionField(BankQuestion& question, const QString& key, const QString& value,
                         const QString& path, int line)
{
    if (key == u"题型"_s) {
        if (value.isEmpty())
            return u"题型为空"_s;
        question.type = value;
    } else if (key == u"题干"_s) {
        if (value.isEmpty())
            return u"题干为空"_s;
        question.stem = value;
    } else if (key == u"考点"_s) {
        if (!bankTopics().contains(value))
            return u"考点“%1”不是%2之一"_s.arg(value, bankTopics().join(u'、'));
        question.topic = value;
    } else if (key == u"知识点"_s) {
        if (value.isEmpty())
            return u"知识点为空"_s;
        question.point = value;
    } else if (key == u"影片"_s) {
        if (value.isEmpty())
            return u"影片为空"_s;
        // Movie paths are relative to the bank folder, the parent of sets/, and stay inside it.
        const QString relative = QDir::cleanPath(value);
        if (QDir::isAbsolutePath(relative) || relative == u".."_s || relative.startsWith(u"../"_s))
            return u"影片“%1”不在题库目录之内"_s.arg(value);
        question.moviePath = QDir::cleanPath(QFileInfo(path).absoluteDir().filePath(u"../"_s + value));
        question.movieLine = line;
    } else {
        return u"未知的名称“%1”"_s.arg(key);
    }
    return {};
}

} // namespace

Result<BankSet> readBankSetText(const QByteArray& bytes, const QString& path)
{
    using R = Result<BankSet>;
    const QString text = QString::fromUtf8(bytes);
    if (text.contains(QChar::ReplacementCharacter))
        return R::failure(u"%1: 不是 UTF-8 文本"_s.arg(path));

    BankSet set;
    set.sourceFile = path;
    set.courseName = bankCourseName();
    BankQuestion* current = nullptr;
    std::set<QString> keysSeen;
    std::set<int> numbersSeen;
    int setNameLine = 0;
    auto fail = [&](int line, const QString& what) {
        return R::failure(u"%1:%2: %3"_s.arg(path).arg(line).arg(what));
    };
    auto finishQuestion = [&] { return missingField(current, keysSeen); };

    const QStringList lines = text.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const int lineNo = static_cast<int>(i) + 1;
        QString line = lines[i];
        if (line.endsWith(u'\r'))
            line.chop(1);
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(u'#'))
            continue;

        if (trimmed.startsWith(u'[')) {
            int number = 0;
            const QString wrong = readQuestionNumber(trimmed, number);
            if (wrong == kNotANumber)
                return fail(lineNo, wrong);
            if (set.name.isEmpty())
                return fail(lineNo, u"第一题之前缺少“套题类 = …”"_s);
            if (const QString missing = finishQuestion(); !missing.isEmpty())
                return fail(current->sourceLine, missing);
            if (!wrong.isEmpty())
                return fail(lineNo, wrong);
            if (!numbersSeen.insert(number).second)
                return fail(lineNo, u"题号 %1 重复"_s.arg(number));
            set.questions.push_back(BankQuestion{number, {}, {}, {}, {}, {}, 0, path, lineNo});
            current = &set.questions.back();
            keysSeen.clear();
            continue;
        }

        QString key;
        QString value;
        if (const QString wrong = readField(line, key, value); !wrong.isEmpty())
            return fail(lineNo, wrong);

        if (!current) {
            if (const QString wrong = setHeading(set, key, value); !wrong.isEmpty())
                return fail(lineNo, wrong);
            if (key == u"套题类"_s)
                setNameLine = lineNo;
            continue;
        }

        if (!keysSeen.insert(key).second)
            return fail(lineNo, u"“%1”重复"_s.arg(key));
        if (const QString wrong = setQuestionField(*current, key, value, path, lineNo); !wrong.isEmpty())
            return fail(lineNo, wrong);
    }
    if (set.name.isEmpty())
        return fail(1, u"缺少“套题类 = …”"_s);
    if (const QString missing = finishQuestion(); !missing.isEmpty())
        return fail(current->sourceLine, missing);
    if (set.questions.empty())
        return fail(setNameLine, u"套题“%1”没有题目"_s.arg(set.name));
    return set;
}

Result<std::vector<BankSet>> readBankFolder(const QString& folder)
{
    using R = Result<std::vector<BankSet>>;
    const QDir setsDir(QDir(folder).filePath(u"sets"_s));
    if (!setsDir.exists())
        return R::failure(u"%1: 找不到题库目录"_s.arg(setsDir.path()));
    const QStringList files = setsDir.entryList({u"*.txt"_s}, QDir::Files, QDir::Name);
    if (files.isEmpty())
        return R::failure(u"%1: 没有套题文件"_s.arg(setsDir.path()));
    std::vector<BankSet> sets;
    for (const QString& name : files) {
        auto set = readBankSetFile(setsDir.filePath(name));
        if (!set)
            return R::failure(set.error());
        for (const BankSet& earlier : sets) {
            if (earlier.name == set->name)
                return R::failure(
                    u"%1:1: 套题“%2”已在 %3 中定义"_s.arg(set->sourceFile, set->name, earlier.sourceFile));
        }
        sets.push_back(std::move(set.value()));
    }
    return sets;
}

} // namespace pptdrill

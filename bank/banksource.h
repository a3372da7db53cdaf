#pragma once

#include "common/result.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace pptdrill {

// One question as the bank's text sources give it.
struct BankQuestion
{
    int number = 0;    // within its set; stored as the set's sub-class
    QString type;      // "5": an operation question whose stem the bar shows
    QString stem;      // readable text; enciphered when the bank is compiled
    QString topic;     // the part of the module the question examines (bankTopics())
    QString point;     // the syllabus's knowledge point within that part (知识点)
    QString moviePath; // the question's movie, when it has one
    int movieLine = 0;
    QString sourceFile;
    int sourceLine = 0; // the line of the question's section header
};

struct BankSet
{
    QString name;       // "第1套题" … "第12套题"
    QString courseName; // the module the set belongs to
    QString sourceFile;
    std::vector<BankQuestion> questions;
};

// Reads one set file. Errors name the file and the line: "file:line: what".
Result<BankSet> readBankSetFile(const QString& path);
// Reads the text of a set file; `path` is the file's name, as errors give it
// and as movie paths are taken relative to.
Result<BankSet> readBankSetText(const QByteArray& bytes, const QString& path);

// Reads every "*.txt" of `folder`/sets in name order; a set may be defined once.
Result<std::vector<BankSet>> readBankFolder(const QString& folder);

// "第N套题" for N from 1 to 12.
bool isValidSetName(const QString& name);

// The parts of the module a question may examine: 窗口与视图, 演示文稿, 幻灯片,
// 文本, 外观, 对象, 动画, 放映, 打印.
const QStringList& bankTopics();

} // namespace pptdrill

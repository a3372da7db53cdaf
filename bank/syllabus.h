#pragma once

#include "bank/banksource.h"
#include "common/result.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace pptdrill {

// The module's knowledge points (docs/syllabus.md): the nine parts in the
// bank's order, each part's points with the questions that ask them, and how
// many of a set's 40 questions each part should have.
struct SyllabusPoint
{
    QString part;
    QString name;
    QStringList questions; // "04/12": the set as its file is named, the number as in its [n]
    int line = 0;
};

struct SyllabusPart
{
    QString name;
    int paperShare = 0;  // of 40, in 第1–9套题 and a real paper
    int sprintShare = 0; // of 40, in the sprint sets 第10–12套题
};

struct Syllabus
{
    std::vector<SyllabusPart> parts;
    std::vector<SyllabusPoint> points;

    const SyllabusPoint* point(const QString& name) const;
    const SyllabusPart* part(const QString& name) const;
};

// Every point is asked at least this often, and a set may differ from its
// column of the proportions by at most this many questions in a part.
inline constexpr int kMinimumQuestionsPerPoint = 3;
inline constexpr int kProportionTolerance = 1;
inline constexpr int kQuestionsPerSet = 40;

// Reads the syllabus text; errors name the line ("syllabus.md:12: what").
Result<Syllabus> readSyllabusText(const QString& text, const QString& fileName);
Result<Syllabus> readSyllabusFile(const QString& path);

// "04/12" for question 12 of the set read from 04.txt.
QString questionKey(const BankSet& set, const BankQuestion& question);

// What is wrong with the bank against the syllabus, one line a fault: a point
// asked fewer than three times, a question whose 知识点 is missing or names no
// point of its 考点's part, a point whose list disagrees with the bank, a set
// out of proportion or not of 40 questions, a stem asked twice. Empty when sound.
QStringList syllabusFaults(const Syllabus& syllabus, const std::vector<BankSet>& sets);

// The syllabus text with each point's list of questions rewritten from the
// bank's 知识点 lines; everything else is kept as it stands.
QString syllabusWithBankQuestions(const QString& text, const std::vector<BankSet>& sets);

// Counts per set and part, and per point, as drillbank prints them.
QString syllabusReport(const Syllabus& syllabus, const std::vector<BankSet>& sets);

} // namespace pptdrill

#include "paper/examsession.h"

#include "paper/practicehistory.h"

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

PracticeChoice practiceChoiceNamed(const QString& setName)
{
    if (setName == u"随机练习"_s)
        return {setName, PaperKind::Random};
    if (setName == u"错题练习"_s)
        return {setName, PaperKind::WrongQuestions};
    if (setName == weakPointPracticeName())
        return {setName, PaperKind::WeakPoints};
    return {setName, PaperKind::Set};
}

void ExamSession::startPaper(int questionCount)
{
    m_marks.assign(static_cast<size_t>(std::max(questionCount, 0)), QuestionMark::NotVisited);
    m_remainingSeconds = exam::examSeconds(questionCount);
    m_demonstrations.assign(m_marks.size(), false);
    m_hints.assign(m_marks.size(), false);
    m_paperStartedAt = QDateTime::currentDateTimeUtc();
    historyRecordId = 0;
}

void ExamSession::restorePaper(const std::vector<QuestionMark>& marks,
                               const std::vector<bool>& demonstrations, const std::vector<bool>& hints,
                               int remainingSeconds, const QDateTime& startedAt)
{
    m_marks = marks;
    m_demonstrations = demonstrations;
    m_hints = hints;
    m_demonstrations.resize(m_marks.size(), false);
    m_hints.resize(m_marks.size(), false);
    m_remainingSeconds = remainingSeconds;
    m_paperStartedAt = startedAt.isValid() ? startedAt : QDateTime::currentDateTimeUtc();
}

void ExamSession::noteDemonstration(int question)
{
    if (question >= 1 && question <= questionCount())
        m_demonstrations[static_cast<size_t>(question - 1)] = true;
}

void ExamSession::forgetDemonstration(int question)
{
    if (question >= 1 && question <= questionCount())
        m_demonstrations[static_cast<size_t>(question - 1)] = false;
}

void ExamSession::noteHint(int question)
{
    if (question >= 1 && question <= questionCount())
        m_hints[static_cast<size_t>(question - 1)] = true;
}

bool ExamSession::hadDemonstration(int question) const
{
    return question >= 1 && question <= questionCount() &&
           m_demonstrations[static_cast<size_t>(question - 1)];
}

bool ExamSession::hadHint(int question) const
{
    return question >= 1 && question <= questionCount() && m_hints[static_cast<size_t>(question - 1)];
}

QuestionMark ExamSession::mark(int question) const
{
    if (question < 1 || question > questionCount())
        return QuestionMark::NotVisited;
    return m_marks[static_cast<size_t>(question - 1)];
}

void ExamSession::setMark(int question, QuestionMark mark)
{
    if (question < 1 || question > questionCount())
        return;
    QuestionMark& current = m_marks[static_cast<size_t>(question - 1)];
    if (current == mark)
        return;
    current = mark;
    emit markChanged(question, mark);
}

} // namespace pptdrill

#include "moc_examsession.cpp"

#include "paper/examsession.h"

namespace pptdrill {

void ExamSession::startPaper(int questionCount)
{
    m_marks.assign(static_cast<size_t>(std::max(questionCount, 0)), QuestionMark::NotVisited);
    m_remainingSeconds = exam::examSeconds(questionCount);
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

#pragma once

#include "paper/practicehistory.h"
#include "shell/widgets/form.h"

#include <map>

namespace pptdrill {

class Label;
class PushButton;

// One attempt of the history "lxmx": its score (and its correction) and the
// grid of its questions, green when right, red when wrong, marked where the
// demonstration did it or a hint was used; the part of the module of each
// question in its tip.
class AttemptWindow : public Form
{
    Q_OBJECT

public:
    // Also outside the trainer (the teacher's program), shown by showAttempt.
    AttemptWindow();

    // Reads the attempt (false: it is not there, or the database failed).
    bool load(qint64 attemptId);
    // Shows an attempt read elsewhere; `notes` (by position) open each cell's tip.
    void showAttempt(const Attempt& attempt, const std::vector<AttemptQuestion>& questions,
                     const std::map<int, QString>& notes = {});

    Label* cell(int question) const;
    // The question shown at a paper position; null when the attempt has none there.
    const AttemptQuestion* question(int position) const;
    bool examMode() const { return m_examMode; }
    Label* scoreLabel() const { return m_scoreLabel; }
    Label* titleLabel() const { return m_titleLabel; }
    PushButton* closeButton() const { return m_closeButton; }

    // In the trainer each cell opens the question's review; in the teacher's
    // program they stay as they are.
    void makeCellsReviewable();

signals:
    // In the trainer, a question's cell was clicked: its review (试题回顾).
    void questionReviewRequested(int position);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<AttemptQuestion> m_questions;
    bool m_examMode = false;
    bool m_reviewable = false;
    Label* m_titleLabel = nullptr;
    Label* m_scoreLabel = nullptr;
    PushButton* m_closeButton = nullptr;
};

} // namespace pptdrill

#pragma once

#include "paper/questionreview.h"
#include "shell/widgets/form.h"

class QLabel;
class QTextBrowser;

namespace pptdrill {

class Label;
class PushButton;

// The review of one question "sthg" (试题回顾), from a cell of the results or
// of an attempt of the history: its number and stem, right or wrong (and
// whether the demonstration or the hint was used), its part of the module,
// how it is done in words, and its demonstration.
class ReviewWindow : public Form
{
    Q_OBJECT

public:
    ReviewWindow();

    void showReview(const QuestionReview& review);
    // The review could not be read: says why instead.
    void showFailure(int position, const QString& reason);
    const QuestionReview& review() const { return m_review; }

    Label* titleLabel() const { return m_titleLabel; }
    Label* outcomeLabel() const { return m_outcomeLabel; }
    QLabel* stemLabel() const { return m_stemLabel; }
    Label* topicLabel() const { return m_topicLabel; }
    QTextBrowser* explanationBox() const { return m_explanationBox; }
    PushButton* demonstrationButton() const { return m_demonstrationButton; }
    PushButton* closeButton() const { return m_closeButton; }

    // Where it stands: low on the screen, clear of the results' buttons and of
    // the question bar at the top.
    void placeOnScreen();

signals:
    void demonstrationRequested();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QuestionReview m_review;
    Label* m_titleLabel = nullptr;
    Label* m_outcomeLabel = nullptr;
    QLabel* m_stemLabel = nullptr;
    Label* m_topicLabel = nullptr;
    QTextBrowser* m_explanationBox = nullptr;
    PushButton* m_demonstrationButton = nullptr;
    PushButton* m_closeButton = nullptr;
};

// The explanation as the review shows it: the steps, and the other ways under a heading of their own.
QString explanationHtml(const QString& explanation);

} // namespace pptdrill

#pragma once

#include <QWidget>

namespace pptdrill {

class Label;

// What a result cell says besides right (green) or wrong (red): ▲ in its upper
// corner when the question was completed by watching the whole demonstration
// (it scores, but is not the learner's own), ● in its lower corner when a
// hint was used. A question redone by the learner after a demonstration has
// no ▲.
void setResultMarks(Label* cell, bool demonstration, bool hint);
bool hasDemonstrationMark(const Label* cell);
bool hasHintMark(const Label* cell);

// The legend line of the marks, drawn as the cells draw them.
class ResultMarksLegend : public QWidget
{
    Q_OBJECT

public:
    explicit ResultMarksLegend(QWidget* parent);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace pptdrill

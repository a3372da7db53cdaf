#pragma once

#include "paper/practicehistory.h"

#include <QWidget>
#include <vector>

namespace pptdrill {

// The scores of the handed-in papers, one after the other from the oldest,
// one line per family of practices (setFamilies()), with the pass mark of the
// examination drawn across. A paper corrected after 返回检查 keeps its first
// score on the line; its correction is a hollow dot joined to it.
class ScoreChart : public QWidget
{
    Q_OBJECT

public:
    explicit ScoreChart(QWidget* parent = nullptr);

    void setAttempts(const std::vector<Attempt>& attempts);
    // The pass mark of a real paper, out of 100.
    static constexpr double passMark = 60;

    // The points of one family: (attempt's place from the oldest, score).
    const std::vector<QPointF>& line(const QString& family) const;
    // A correction (订正), drawn as a hollow dot joined to its attempt's point.
    struct Correction
    {
        QPointF point; // (attempt's place, score of the correction)
        double firstScore = 0;
        size_t family = 0; // setFamilies() index
    };
    const std::vector<Correction>& corrections() const { return m_corrections; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<std::vector<QPointF>> m_lines; // by setFamilies() index
    std::vector<Correction> m_corrections;
    int m_count = 0;
    QString m_firstDay;
    QString m_lastDay;
};

// The share of each part of the module answered right (and not by watching
// the demonstration) over the recent attempts, weakest first.
class TopicChart : public QWidget
{
    Q_OBJECT

public:
    explicit TopicChart(QWidget* parent = nullptr);

    void setShares(const std::vector<TopicShare>& shares);
    const std::vector<TopicShare>& shares() const { return m_shares; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<TopicShare> m_shares;
};

} // namespace pptdrill

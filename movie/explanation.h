#pragma once

#include "movie/kit/kitcatalog.h"
#include "movie/document/movie.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace pptdrill {

// An action as a learner reads it in an explanation: "menu:视图(V)/幻灯片浏览(D)"
// is 单击“视图”菜单中的“幻灯片浏览”命令。 Empty for a text that is no action.
QString actionInWords(const QString& action, const KitCatalog& kit);

// Another whole way of doing a run of the steps, in words.
struct ExplainedWay
{
    QString name;
    int from = 0;  // the run's first step (0-based)
    int count = 1; // how many steps it stands in for
    QStringList steps;
};

// Another single action that a step takes in place of the one the demonstration performs.
struct ExplainedAlternative
{
    int step = 0; // 0-based
    QString words;
};

// How a question is done: the steps of the first way (the demonstration's),
// then the other ways the question accepts.
struct QuestionExplanation
{
    QStringList steps;
    std::vector<ExplainedAlternative> alternatives;
    std::vector<ExplainedWay> ways;

    bool hasOtherWays() const { return !alternatives.empty() || !ways.empty(); }
};

QuestionExplanation explainMovie(const Movie& movie, const KitCatalog& kit);

// The explanation as the bank keeps it (解析): the steps numbered, one a line,
// then "其他方法：" and the other ways, one a line.
QString explanationText(const QuestionExplanation& explanation);
QString explanationText(const Movie& movie, const KitCatalog& kit);

} // namespace pptdrill

// Playing a movie headless, every way of every step, as drillbank checks each
// bank movie before it is stored.
#include "movie/kit/kitways.h"
#include "movie/session/moviesession.h"

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

// "file:line: what" for the action `way` of a step (the step's own line when `way` is -1),
// when the movie was read from a file.
Status stepFault(const Movie& movie, const MovieStep& s, qsizetype way, const QString& what)
{
    const int line = way >= 0 && static_cast<size_t>(way) < s.acceptLines.size()
                         ? s.acceptLines[static_cast<size_t>(way)]
                         : s.line;
    if (movie.source.isEmpty() || line <= 0)
        return Status::failure(what);
    return Status::failure(u"%1:%2: %3"_s.arg(movie.source).arg(line).arg(what));
}

// One action of a play-through: the step it does, and the step's words in messages.
struct Move
{
    const MovieStep* step;
    qsizetype accept;
    QString name;       // "第 3 步", "第 3 步的另一种做法“格式工具栏”第 2 步"
    bool varied = true; // each of the step's actions is tried in this play
    StepTaking at;      // which step it is: of the movie's own (way -1) or of another way
};

// The demonstration's way through steps [from, to) of the movie's own steps.
void addMovieSteps(std::vector<Move>& moves, const Movie& movie, int from, int to, bool varied = true)
{
    for (int i = from; i < to; ++i)
        moves.push_back({&movie.steps[static_cast<size_t>(i)], 0, u"第 %1 步"_s.arg(i + 1), varied, {-1, i}});
}

std::vector<Move> wayMoves(const Movie& movie, int w)
{
    const MovieWay& way = movie.ways[static_cast<size_t>(w)];
    std::vector<Move> moves;
    addMovieSteps(moves, movie, 0, way.from, false);
    for (size_t j = 0; j < way.steps.size(); ++j)
        moves.push_back({&way.steps[j],
                         0,
                         u"第 %1 步的另一种做法“%2”第 %3 步"_s.arg(way.from + 1).arg(way.name).arg(j + 1),
                         true,
                         {w, static_cast<int>(j)}});
    addMovieSteps(moves, movie, way.from + way.count, static_cast<int>(movie.steps.size()), false);
    return moves;
}

// Performs `moves` (the first `count` of them, or all) in a fresh session.
Status play(MovieSession& session, const std::vector<Move>& moves, size_t count = SIZE_MAX)
{
    for (size_t i = 0; i < std::min(count, moves.size()); ++i) {
        const Move& m = moves[i];
        // A value the window already held when its step came is done without an action.
        if (session.steps().isDone(m.at))
            continue;
        const QString& action = m.step->accept[m.accept];
        const int before = session.stepIndex();
        const bool taken = session.perform(action);
        if (!taken && session.stepIndex() < before)
            return stepFault(session.movie(), *m.step, m.accept,
                             u"%1的“%2”时，对话框中已不是第 %3 步所设的值"_s.arg(m.name, action)
                                 .arg(session.stepIndex() + 1));
        if (!taken)
            return stepFault(session.movie(), *m.step, m.accept,
                             u"%1不接受“%2”（此时界面上够不着它）"_s.arg(m.name, action));
    }
    return {};
}

Status playAll(const Movie& movie, const KitCatalog& kit, const std::vector<Move>& moves)
{
    MovieSession session(movie, kit);
    if (Status s = play(session, moves); !s)
        return s;
    if (!session.isComplete())
        return stepFault(movie, movie.steps.back(), -1, u"演示没有完成"_s);
    return {};
}

// The parts of the any-order block that starts at `from`: each chain's steps in order, and
// each step of no chain alone, in the order of their first steps.
std::vector<std::vector<int>> blockParts(const std::vector<MovieStep>& steps, int from, int& end)
{
    const QString block = steps[static_cast<size_t>(from)].anyOrderBlock();
    std::vector<std::vector<int>> parts;
    QStringList names;
    for (end = from;
         end < static_cast<int>(steps.size()) && steps[static_cast<size_t>(end)].anyOrderBlock() == block;
         ++end) {
        const QString chain = steps[static_cast<size_t>(end)].anyOrderChain();
        const qsizetype known = chain.isEmpty() ? -1 : names.indexOf(chain);
        if (known >= 0) {
            parts[static_cast<size_t>(known)].push_back(end);
        } else {
            names << (chain.isEmpty() ? u"#%1"_s.arg(end) : chain);
            parts.push_back({end});
        }
    }
    return parts;
}

// Plays each any-order block of `steps` in other orders: the parts backwards and, with more than
// two, the first part last. `moves` is a whole play in which steps[0] is move `offset`; each other
// order must be taken and reach what that play reaches.
Status verifyAnyOrders(const Movie& movie, const KitCatalog& kit, const std::vector<MovieStep>& steps,
                       const std::vector<Move>& moves, int offset)
{
    MovieSession played(movie, kit);
    if (!play(played, moves))
        return {}; // refused above
    for (int from = 0; from < static_cast<int>(steps.size());) {
        if (steps[static_cast<size_t>(from)].anyOrderBlock().isEmpty()) {
            ++from;
            continue;
        }
        int end = from;
        const std::vector<std::vector<int>> parts = blockParts(steps, from, end);
        std::vector<std::vector<std::vector<int>>> orders{{parts.rbegin(), parts.rend()}};
        if (parts.size() > 2) {
            orders.push_back({parts.begin() + 1, parts.end()});
            orders.back().push_back(parts.front());
        }
        for (const auto& order : orders) {
            std::vector<Move> shuffled(moves.begin(), moves.begin() + offset + from);
            QStringList named;
            for (const std::vector<int>& part : order) {
                for (const int step : part)
                    shuffled.push_back(moves[static_cast<size_t>(offset + step)]);
                named << moves[static_cast<size_t>(offset + part.front())].name;
            }
            shuffled.insert(shuffled.end(), moves.begin() + offset + end, moves.end());
            const QString what = u"%1至%2可按任意顺序做，但从%3起依次做时"_s.arg(
                moves[static_cast<size_t>(offset + from)].name,
                moves[static_cast<size_t>(offset + end - 1)].name, named.join(u"、"_s));
            MovieSession session(movie, kit);
            if (Status s = play(session, shuffled); !s)
                return Status::failure(s.error() + u"（"_s + what + u"）"_s);
            if (!session.isComplete() || session.presentation() != played.presentation())
                return stepFault(movie, steps[static_cast<size_t>(from)], -1, what + u"，结果与演示的不同"_s);
        }
        from = end;
    }
    return {};
}

} // namespace

Status verifyMovie(const Movie& given, const KitCatalog& kit)
{
    if (given.completion)
        return {};
    // The movie with the ways the kit gives it besides its own.
    const MovieSession probe(given, kit);
    const Movie& movie = probe.movie();
    std::vector<Move> demonstration;
    addMovieSteps(demonstration, movie, 0, static_cast<int>(movie.steps.size()));
    std::vector<std::vector<Move>> plays{demonstration};
    for (size_t w = 0; w < movie.ways.size(); ++w)
        plays.push_back(wayMoves(movie, static_cast<int>(w)));
    for (const std::vector<Move>& moves : plays) {
        for (const Move& m : moves) {
            if (m.step->accept.isEmpty())
                return stepFault(movie, *m.step, -1, u"%1没有可接受的操作"_s.arg(m.name));
            for (qsizetype k = 0; k < m.step->accept.size(); ++k) {
                const QString& action = m.step->accept[k];
                if (auto t = kit.resolve(action); !t)
                    return stepFault(movie, *m.step, k, u"%1的“%2”：%3"_s.arg(m.name, action, t.error()));
            }
        }
    }
    // Every accepted action of each step, with the first actions of the other
    // steps of its play before and after it.
    for (const std::vector<Move>& moves : plays) {
        for (size_t i = 0; i < moves.size(); ++i) {
            for (qsizetype k = 0; moves[i].varied && k < moves[i].step->accept.size(); ++k) {
                std::vector<Move> variant = moves;
                variant[i].accept = k;
                if (Status s = playAll(movie, kit, variant); !s)
                    return s;
            }
        }
    }
    // Each any-order block played in other orders reaches what the demonstration reaches.
    if (Status s = verifyAnyOrders(movie, kit, movie.steps, demonstration, 0); !s)
        return s;
    for (size_t w = 0; w < movie.ways.size(); ++w) {
        if (Status s = verifyAnyOrders(movie, kit, movie.ways[w].steps, plays[w + 1], movie.ways[w].from); !s)
            return s;
    }
    // Another way leaves the presentation as its run leaves it.
    for (size_t w = 0; w < movie.ways.size(); ++w) {
        const MovieWay& way = movie.ways[w];
        MovieSession along(movie, kit), other(movie, kit);
        const size_t stepsBefore = static_cast<size_t>(way.from);
        if (!play(along, demonstration, stepsBefore + static_cast<size_t>(way.count)) ||
            !play(other, plays[w + 1], stepsBefore + way.steps.size()))
            continue; // refused above
        if (along.presentation() != other.presentation() ||
            along.dialog().has_value() != other.dialog().has_value())
            return stepFault(
                movie, way.steps.back(), -1,
                u"第 %1 步的另一种做法“%2”做完后，演示文稿与第 %1 至 %3 步做完后的不同"_s.arg(way.from + 1)
                    .arg(way.name)
                    .arg(way.from + way.count));
    }
    return {};
}

} // namespace pptdrill

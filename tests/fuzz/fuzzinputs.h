#pragma once

// What the fuzz targets do with one input. The libFuzzer harnesses
// (fuzz_movie.cpp, fuzz_bank.cpp) and the test suite's replay of their corpora
// (tests/movie/test_movie.cpp, tests/bank/test_bank.cpp) run the same code, so
// an input the fuzzer found is checked again by every ctest run.
#include "bank/banksource.h"
#include "movie/document/movie.h"
#include "movie/kit/kitcatalog.h"
#include "movie/session/moviesession.h"

#include <QByteArray>
#include <QRegularExpression>
#include <QSet>
#include <QString>
#include <QStringList>

namespace pptdrill::fuzz {

using namespace Qt::Literals::StringLiterals;

// The name the inputs are read under, as their errors give it.
inline const QString kMovieSource = u"fuzz.movie"_s;
inline const QString kSetSource = u"/fuzz/bank/sets/fuzz.txt"_s;

// A reader's refusal must say where: "source:line: what" (a positive line), or
// "source: what" for a fault of the whole file.
inline bool namesItsPlace(const QString& error, const QString& source)
{
    static const QRegularExpression place(u"^:([1-9][0-9]*:)? \\S"_s);
    return error.startsWith(source) && place.match(error.mid(source.size())).hasMatch();
}

// What the window shows must always exist: a slide, selected among the slides.
inline QString presentationFault(const Presentation& p)
{
    if (p.slides.empty())
        return u"the presentation has no slide"_s;
    if (static_cast<int>(p.slides.size()) > kMaxMovieSlides)
        return u"the presentation has %1 slides"_s.arg(p.slides.size());
    if (p.selected < 1 || p.selected > static_cast<int>(p.slides.size()))
        return u"slide %1 of %2 is selected"_s.arg(p.selected).arg(p.slides.size());
    return {};
}

inline QString sessionFault(const MovieSession& s)
{
    if (QString fault = presentationFault(s.presentation()); !fault.isEmpty())
        return fault;
    if (s.stepIndex() < 0 || s.stepIndex() > s.steps().count())
        return u"step %1 of %2"_s.arg(s.stepIndex()).arg(s.steps().count());
    if (s.dialog() && !s.kit().dialog(s.dialog()->name))
        return u"the dialog %1 is not in the kit"_s.arg(s.dialog()->name);
    return {};
}

// Reads `bytes` as a movie. A movie the reader takes is verified with the kit
// in every accepted way, then played: at every step each of its actions is
// tried (the right one, one of a later step, one out of reach), then the
// demonstration's. Returns what went wrong that never may (empty when
// nothing); a fault in memory brings the run down by itself.
inline QString playMovieInput(const QByteArray& bytes, const KitCatalog& kit)
{
    auto movie = parseMovie(bytes, kMovieSource);
    if (!movie)
        return namesItsPlace(movie.error(), kMovieSource)
                   ? QString()
                   : u"the refusal does not say where: "_s + movie.error();
    if (movie->completion)
        return {};
    if (QString fault = presentationFault(movie->presentation); !fault.isEmpty())
        return u"read: "_s + fault;
    Status verified = verifyMovie(movie.value(), kit);
    if (!verified && !namesItsPlace(verified.error(), kMovieSource))
        return u"the verification does not say where: "_s + verified.error();

    QStringList actions;
    QSet<QString> seen;
    for (const MovieStep& step : movie->steps) {
        for (const QString& a : step.accept) {
            if (actions.size() < 64 && !seen.contains(a)) {
                seen.insert(a);
                actions << a;
            }
        }
    }
    MovieSession session(movie.value(), kit);
    if (QString fault = sessionFault(session); !fault.isEmpty())
        return u"at the start: "_s + fault;
    for (int round = 0; round <= session.steps().count() && !session.isComplete(); ++round) {
        for (const QString& a : std::as_const(actions)) {
            session.perform(a);
            if (QString fault = sessionFault(session); !fault.isEmpty())
                return u"after “%1”: %2"_s.arg(a, fault);
        }
        if (!session.isComplete())
            session.perform(session.nextAction());
    }
    session.reset();
    return sessionFault(session);
}

// Reads `bytes` as a set file of the bank. Returns what went wrong that never
// may (empty when nothing).
inline QString readSetInput(const QByteArray& bytes)
{
    auto set = readBankSetText(bytes, kSetSource);
    if (!set)
        return namesItsPlace(set.error(), kSetSource) ? QString()
                                                      : u"the refusal does not say where: "_s + set.error();
    if (!isValidSetName(set->name))
        return u"the set is named “%1”"_s.arg(set->name);
    if (set->questions.empty())
        return u"a set without questions"_s;
    QSet<int> numbers;
    for (const BankQuestion& q : set->questions) {
        if (q.number < 1 || numbers.contains(q.number))
            return u"question number %1"_s.arg(q.number);
        numbers.insert(q.number);
        if (q.type.isEmpty() || q.stem.isEmpty())
            return u"question %1 has no type or stem"_s.arg(q.number);
        if (q.sourceLine < 1 || (q.moviePath.isEmpty() != (q.movieLine == 0)))
            return u"question %1 does not say where it is"_s.arg(q.number);
        if (!q.topic.isEmpty() && !bankTopics().contains(q.topic))
            return u"question %1 examines “%2”"_s.arg(q.number).arg(q.topic);
    }
    return {};
}

} // namespace pptdrill::fuzz

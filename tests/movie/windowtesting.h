#pragma once

// Finding an element of the simulated window by its locator, clicking it and
// taking a picture of the window, for the tests that drive a KitView as a
// learner would.
#include "movie/document/movie.h"
#include "movie/kit/kitcatalog.h"
#include "movie/session/moviesession.h"
#include "movie/widgets/window/kitview.h"

#include <QApplication>
#include <QHelpEvent>
#include <QImage>
#include <QRect>
#include <QString>
#include <QToolTip>
#include <gtest/gtest.h>
#include <memory>

namespace pptdrill::windowtesting {

// Where the element is on view; a point off the window (and a failure) where it is not.
inline QRect at(const KitView& view, const QString& locator)
{
    auto r = view.locate(locator);
    EXPECT_TRUE(r.has_value()) << "not on view: " << locator.toStdString();
    return r.value_or(QRect(-10, -10, 1, 1));
}

inline void click(KitView& view, const QString& locator)
{
    view.clickAt(at(view, locator).center());
}

// The window as a learner sees it, at the size the tests give it.
inline QImage shot(KitView& view)
{
    QImage image(800, 600, QImage::Format_RGB32);
    view.render(&image);
    return image;
}

// The window over a movie written in the test, its demonstration's pace at nothing.
inline std::unique_ptr<KitView> viewOfMovie(const QString& json)
{
    auto movie = parseMovie(json.toUtf8());
    EXPECT_TRUE(movie.ok()) << movie.error().toStdString();
    auto view =
        std::make_unique<KitView>(std::make_unique<MovieSession>(movie.value(), KitCatalog::instance()));
    view->setPace(0);
    return view;
}

// The window over a question of the bank ("07/27"); none (and a failure) when its movie cannot be read.
inline std::unique_ptr<KitView> viewOfBankMovie(const QString& question)
{
    auto movie =
        loadMovieFile(QStringLiteral(DRILL_SOURCE_DIR "/bank/movies/") + question + QStringLiteral(".movie"));
    EXPECT_TRUE(movie.ok()) << movie.error().toStdString();
    if (!movie.ok())
        return nullptr;
    auto view =
        std::make_unique<KitView>(std::make_unique<MovieSession>(movie.value(), KitCatalog::instance()));
    view->setPace(0);
    return view;
}

// Plays a question of the bank ("07/27") through the window, each step as the
// demonstration does it: a success when the question ends complete.
inline testing::AssertionResult playsToTheEndThroughTheWindow(const QString& bankMovie)
{
    auto view = viewOfBankMovie(bankMovie);
    if (!view)
        return testing::AssertionFailure() << "no movie " << bankMovie.toStdString();
    for (int guard = 0; guard < 40 && !view->session().isComplete(); ++guard)
        if (!view->performThroughUi(view->session().nextAction()))
            return testing::AssertionFailure() << "refused: " << view->session().nextAction().toStdString();
    if (!view->session().isComplete())
        return testing::AssertionFailure() << "not complete";
    return testing::AssertionSuccess();
}

// The tooltip the window shows where the pointer rests.
inline QString tooltipAt(KitView& view, const QPoint& point)
{
    QHelpEvent help(QEvent::ToolTip, point, view.mapToGlobal(point));
    QApplication::sendEvent(&view, &help);
    const QString text = QToolTip::text();
    QToolTip::hideText();
    return text;
}

} // namespace pptdrill::windowtesting

// Shows one movie's simulated window on the display, for looking at it and
// taking screenshots. The actions given are done first through the window's
// elements, as a learner would do them; "@<locator>" clicks an element,
// "!<locator>" right-clicks it, "~<locator>" rests the pointer on it.
//   kitshow [--hint] MOVIE [ACTION | @LOCATOR | !LOCATOR | ~LOCATOR]...
#include "movie/kit/kitcatalog.h"
#include "movie/session/moviesession.h"
#include "movie/widgets/window/kitview.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <cstdio>

using namespace pptdrill;

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const bool hint = args.removeAll(QStringLiteral("--hint")) > 0;
    if (args.isEmpty()) {
        std::fprintf(stderr, "usage: kitshow [--hint] MOVIE [ACTION | @LOCATOR | !LOCATOR | ~LOCATOR]...\n");
        return 2;
    }
    auto movie = loadMovieFile(args.takeFirst());
    if (!movie) {
        std::fprintf(stderr, "%s\n", qPrintable(movie.error()));
        return 1;
    }
    KitView view(std::make_unique<MovieSession>(movie.value(), KitCatalog::instance()));
    view.setWindowFlag(Qt::FramelessWindowHint);
    view.setAttribute(Qt::WA_AlwaysShowToolTips); // also without a window manager to make it active
    view.move(0, 0);
    view.setPace(0);
    view.setHintVisible(hint);
    view.show();
    QPoint rest;
    for (const QString& step : args) {
        const QChar how = step.at(0);
        if (how == u'@' || how == u'!' || how == u'~') {
            const auto at = view.locate(step.mid(1));
            if (!at) {
                std::fprintf(stderr, "not on view: %s\n", qPrintable(step.mid(1)));
                continue;
            }
            if (how == u'~')
                rest = at->center();
            else
                view.clickAt(at->center(), how == u'!' ? Qt::RightButton : Qt::LeftButton);
        } else if (!view.performThroughUi(step)) {
            std::fprintf(stderr, "not taken: %s\n", qPrintable(step));
        }
    }
    // From here on the learner's own clicks: a slide show plays at its real speed.
    view.setPace(1.0);
    if (!rest.isNull()) {
        QCursor::setPos(view.mapToGlobal(rest));
        QMouseEvent move(QEvent::MouseMove, rest, view.mapToGlobal(rest), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(&view, &move);
    }
    return app.exec();
}

#include "movie/widgets/window/moviecontrol.h"

#include "movie/kit/kitcatalog.h"
#include "movie/session/moviesession.h"
#include "movie/widgets/window/kitstyle.h"
#include "movie/widgets/window/kitview.h"

#include <QFileInfo>
#include <QPainter>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {
// Flash's ready states: loading, then interactive once the movie can be used, complete.
constexpr int kReadyLoading = 0;
constexpr int kReadyInteractive = 3;
constexpr int kReadyComplete = 4;
} // namespace

MovieControl::MovieControl(QWidget* parent) : QWidget(parent)
{
    setFixedSize(kit::kWidth, kit::kHeight);
}

MovieControl::~MovieControl() = default;

MovieSession* MovieControl::session() const
{
    return m_view ? &m_view->session() : nullptr;
}

void MovieControl::setMovie(const QString& path)
{
    setMovie(path, loadMovieFile(path));
}

void MovieControl::setMovie(const QString& path, Result<Movie> read)
{
    m_path = path;
    m_loadError.clear();
    m_completionReported = false;
    m_pictureDue = false;
    m_confirmed = false;
    delete m_view;
    m_view = nullptr;
    emit readyStateChanged(kReadyLoading);

    Result<Movie>& movie = read;
    if (!movie) {
        m_loadError = movie.error();
    } else if (movie->completion) {
        m_loadError = u"这是完成动画，不是试题动画"_s;
    } else {
        m_view = new KitView(std::make_unique<MovieSession>(std::move(movie.value()), KitCatalog::instance()),
                             this);
        m_view->setPace(m_pace);
        m_view->move(0, 0);
        connect(m_view, &KitView::completed, this, &MovieControl::taskCompleted);
        m_view->show();
        m_view->setFocus();
        emit readyStateChanged(kReadyInteractive);
    }
    update();
}

void MovieControl::play()
{
    if (m_view)
        m_view->setFocus();
}

void MovieControl::TSetProperty(const QString& target, int property, const QString& value)
{
    constexpr int kVisibility = 7;
    if (property != kVisibility || !m_view)
        return;
    if (target == u"/tishi"_s)
        m_view->setHintVisible(value.trimmed() == u"1"_s);
}

void MovieControl::gotoFrame(const QString& target, int frame)
{
    if (target == u"/yanshi"_s && frame == 1 && m_view) {
        // The demonstration starts from the beginning: a picture still due belongs to the run before.
        m_pictureDue = false;
        m_view->startDemonstration();
    }
}

bool MovieControl::hintVisible() const
{
    return m_view && m_view->hintVisible();
}

bool MovieControl::isDemonstrating() const
{
    return m_view && m_view->demonstration().isRunning();
}

bool MovieControl::isCompleted() const
{
    return m_view && m_view->session().isComplete();
}

void MovieControl::setDemonstrationPace(double factor)
{
    m_pace = factor;
    if (m_view)
        m_view->setPace(factor);
}

void MovieControl::setDemonstrationPaused(bool paused)
{
    if (m_view)
        m_view->demonstration().setPaused(paused);
}

bool MovieControl::isDemonstrationPaused() const
{
    return m_view && m_view->demonstration().isPaused();
}

void MovieControl::stepDemonstration()
{
    if (m_view)
        m_view->demonstration().stepOn();
}

QString MovieControl::demonstrationCaption() const
{
    return m_view ? m_view->demonstration().caption() : QString();
}

QString MovieControl::completionText() const
{
    return m_view ? m_view->completionText() : QString();
}

void MovieControl::setCompletionNeedsConfirmation(bool needed)
{
    m_confirmationNeeded = needed;
    showCompletionPicture();
}

void MovieControl::confirmCompletion()
{
    m_confirmed = true;
    showCompletionPicture();
}

void MovieControl::taskCompleted()
{
    // The result stays on view for a moment before the completion picture
    // comes over it.
    const int delay = m_pace <= 0 ? 0 : static_cast<int>(900 * m_pace);
    QTimer::singleShot(delay, this, [this] {
        if (!m_view || !m_view->session().isComplete())
            return;
        m_pictureDue = true;
        showCompletionPicture();
    });
    // The last step has been accepted: that is the one "complete" state of the
    // run, reported at once, so that whatever records the completion is under
    // way before the learner can move on.
    if (!m_completionReported) {
        m_completionReported = true;
        emit readyStateChanged(kReadyComplete);
    }
}

void MovieControl::showCompletionPicture()
{
    if (!m_view || !m_pictureDue || !m_view->session().isComplete())
        return;
    if ((m_confirmationNeeded && !m_confirmed) || !m_pictureShown)
        return;
    // The completion movie from the movie's own folder gives the picture its text.
    QString text = u"本题操作已完成"_s;
    const QString completion = QFileInfo(m_path).absolutePath() + u"/completed.swf"_s;
    if (auto done = loadMovieFile(completion); done && done->completion)
        text = done->completionText;
    m_view->setCompletionText(text);
}

void MovieControl::paintEvent(QPaintEvent*)
{
    if (m_view)
        return;
    QPainter p(this);
    p.fillRect(rect(), QColor(0x3A, 0x3A, 0x3A));
    if (m_path.isEmpty())
        return;
    const QRect box(100, 220, 600, 160);
    p.fillRect(box, kit::kFace);
    p.setPen(QColor(0xA0, 0x20, 0x20));
    p.setFont(kit::uiFont(18, true));
    p.drawText(box.adjusted(20, 16, -20, -100), Qt::AlignLeft | Qt::AlignVCenter,
               u"无法播放本题的试题动画"_s);
    p.setPen(Qt::black);
    p.setFont(kit::uiFont(13));
    p.drawText(box.adjusted(20, 60, -20, -12), Qt::TextWordWrap, m_loadError);
}

} // namespace pptdrill

#include "moc_moviecontrol.cpp"

#include "shell/widgets/loadingwindow.h"

#include "paper/paperbuilder.h"
#include "platform/programfolder.h"
#include "shell/programend.h"
#include "shell/widgets/artwork.h"
#include "shell/widgets/controls.h"
#include "shell/widgets/formtimer.h"
#include "shell/widgets/trainer.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDateTime>
#include <QPainter>
#include <QPointer>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

struct LabelPlace
{
    QString name;
    int left;
    int top;
    int width;
    int height;
    QString caption;
};

const LabelPlace candidateLabels[] = {
    {u"ksxm"_s, 3720, 2450, 900, 210, u"考生甲一"_s},
    {u"kszwhlabel"_s, 3720, 2830, 240, 210, u"18"_s},
    {u"kscc"_s, 3720, 3200, 240, 210, u"18"_s},
    {u"sttext"_s, 2640, 4820, 1980, 210, u"电子表格Excel2003"_s},
    {u"kssfzhlabel"_s, 2640, 5295, 2160, 210, u"110101198001010012"_s},
    {u"ksdah"_s, 2640, 5790, 720, 210, u"888888"_s},
    {u"ksdate"_s, 2640, 6270, 1200, 210, u"2012-XX-XX"_s},
};

class Backdrop : public QWidget
{
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.drawPixmap(0, 0, signInArtwork());
    }
};

} // namespace

LoadingWindow::LoadingWindow(Trainer& trainer)
    : Form(u"stzr"_s), m_trainer(trainer), m_random(static_cast<quint32>(QDateTime::currentMSecsSinceEpoch()))
{
    setWindowTitle(u"试题载入"_s);
    // The 12000 × 9000 twips are the whole window: the sign-in screen has no
    // caption bar or border, so its controls down to the progress bar fill
    // 800 × 600 and an 800 × 600 screen shows all of it.
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setFixedSize(twipsToPixels(12000), twipsToPixels(9000));
    centreOnScreen(this);
    (new Backdrop(this))->setGeometry(rect());

    m_progressBar = new ProgressBar(this, u"stloadpro"_s);
    m_progressBar->setGeometry(twipsRect(233, 8400, 11535, 375));

    m_transferLabel = new Label(this, u"stcsts"_s, u"试题传输中..."_s);
    m_transferLabel->setGeometry(twipsRect(1920, 7080, 1560, 240));
    m_transferLabel->setTransparent(true);
    m_transferLabel->setForeColor(windowsColor(192, 0, 0));

    for (const LabelPlace& place : candidateLabels) {
        auto* label = new Label(this, place.name, place.caption);
        label->setGeometry(twipsRect(place.left, place.top, place.width, place.height));
        label->setTransparent(true);
        label->setForeColor(windowsColor(0, 0, 128));
        label->setAutoWidth(true);
    }

    m_buildTimer = new FormTimer(this, u"Timer1"_s, 1000);
    connect(m_buildTimer, &FormTimer::ticked, this, &LoadingWindow::buildTick);
    m_blinkTimer = new FormTimer(this, u"Timer2"_s, 500);
    connect(m_blinkTimer, &FormTimer::ticked, this, &LoadingWindow::blinkTick);

    // Load.
    m_ticks = 0;
    const Candidate& candidate = m_trainer.session().candidate;
    label(u"kszwhlabel"_s)->setCaption(candidate.seatNumber);
    label(u"kssfzhlabel"_s)->setCaption(candidate.identityNumber);
    label(u"sttext"_s)->setCaption(candidate.courseTitle);
}

Label* LoadingWindow::label(const QString& name) const
{
    return findChild<Label*>(name);
}

void LoadingWindow::blinkTick()
{
    m_transferLabel->repaint();
    m_transferLabel->setVisible(m_transferLabel->isHidden());
}

void LoadingWindow::buildTick()
{
    const PracticeChoice& choice = m_trainer.session().choice;
    ++m_ticks;
    if (m_ticks == 2 && !choice.isRandom())
        build(false);
    else if (choice.isRandom() && !m_randomBuildStarted)
        build(true);
}

void LoadingWindow::build(bool random)
{
    if (random)
        m_randomBuildStarted = true;
    m_building = true;

    QPointer<ProgressBar> bar = m_progressBar;
    BuildProgress progress;
    progress.setRange = [bar](int minimum, int maximum) {
        if (bar) {
            bar->setMaximum(maximum);
            bar->setMinimum(minimum);
        }
    };
    progress.setValue = [bar](int value) {
        if (bar)
            bar->setValue(value);
    };
    progress.processEvents = [] { QCoreApplication::processEvents(); };

    const Result<BuildOutcome> outcome =
        buildPaper(m_trainer.session().choice, programFolder(), progress, m_random);
    m_building = false;
    if (!outcome) {
        failProgram(outcome.error());
        return;
    }
    m_trainer.loadingWindow().unload();
    m_trainer.loginDialog().unload();
    m_trainer.loginBackdrop().unload();
    if (outcome.value() == BuildOutcome::Empty)
        m_trainer.showMainMenu();
    else
        m_trainer.showQuestionBar();
}

void LoadingWindow::unloading()
{
    m_buildTimer->setEnabled(false);
    m_blinkTimer->setEnabled(false);
}

void LoadingWindow::closeEvent(QCloseEvent* event)
{
    // A paper half written cannot be left: the window stays until the build ends.
    if (m_building) {
        event->ignore();
        return;
    }
    Form::closeEvent(event);
}

} // namespace pptdrill

#include "moc_loadingwindow.cpp"

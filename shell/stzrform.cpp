#include "shell/stzrform.h"

#include "paper/paperbuilder.h"
#include "platform/programfolder.h"
#include "shell/artwork.h"
#include "shell/controls.h"
#include "shell/forms.h"
#include "shell/formtimer.h"
#include "shell/programend.h"
#include "shell/programstate.h"
#include "shell/questionbar.h"

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

StzrForm::StzrForm() : Form(u"stzr"_s), m_random(static_cast<quint32>(QDateTime::currentMSecsSinceEpoch()))
{
    setWindowTitle(u"试题载入"_s);
    // The 12000 × 9000 twips are the whole window: the sign-in screen has no
    // caption bar or border, so its controls down to the progress bar fill
    // 800 × 600 and an 800 × 600 screen shows all of it.
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setFixedSize(twipsToPixels(12000), twipsToPixels(9000));
    centreOnScreen(this);
    (new Backdrop(this))->setGeometry(rect());

    m_stloadpro = new ProgressBar(this, u"stloadpro"_s);
    m_stloadpro->setGeometry(twipsRect(233, 8400, 11535, 375));

    m_stcsts = new Label(this, u"stcsts"_s, u"试题传输中..."_s);
    m_stcsts->setGeometry(twipsRect(1920, 7080, 1560, 240));
    m_stcsts->setTransparent(true);
    m_stcsts->setForeColor(windowsColor(192, 0, 0));

    for (const LabelPlace& place : candidateLabels) {
        auto* label = new Label(this, place.name, place.caption);
        label->setGeometry(twipsRect(place.left, place.top, place.width, place.height));
        label->setTransparent(true);
        label->setForeColor(windowsColor(0, 0, 128));
        label->setAutoWidth(true);
    }

    m_timer1 = new FormTimer(this, u"Timer1"_s, 1000);
    connect(m_timer1, &FormTimer::Timer, this, &StzrForm::Timer1Timer);
    m_timer2 = new FormTimer(this, u"Timer2"_s, 500);
    connect(m_timer2, &FormTimer::Timer, this, &StzrForm::Timer2Timer);

    // Load.
    m_ticks = 0;
    label(u"kszwhlabel"_s)->setCaption(seatno);
    label(u"kssfzhlabel"_s)->setCaption(idno);
    label(u"sttext"_s)->setCaption(coursetitle);
}

Label* StzrForm::label(const QString& name) const
{
    return findChild<Label*>(name);
}

void StzrForm::Timer2Timer()
{
    m_stcsts->repaint();
    m_stcsts->setVisible(m_stcsts->isHidden());
}

void StzrForm::Timer1Timer()
{
    ++m_ticks;
    if (m_ticks == 2 && !randomdraw)
        build(false);
    else if (randomdraw && !m_randomBuildStarted)
        build(true);
}

void StzrForm::build(bool random)
{
    if (random)
        m_randomBuildStarted = true;
    m_building = true;

    QPointer<ProgressBar> bar = m_stloadpro;
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

    const Result<BuildOutcome> outcome = random ? buildRandomPaper(programFolder(), progress, m_random)
                                                : buildSetPaper(setname, programFolder(), progress);
    m_building = false;
    if (!outcome) {
        failProgram(outcome.error());
        return;
    }
    if (outcome.value() == BuildOutcome::Empty) {
        stzrForm.unload();
        zctestForm.unload();
        testloginForm.unload();
        showMainMenu();
        return;
    }
    stzrForm.unload();
    testloginForm.unload();
    zctestForm.unload();
    showQuestionBar();
}

void StzrForm::unloading()
{
    m_timer1->setEnabled(false);
    m_timer2->setEnabled(false);
}

void StzrForm::closeEvent(QCloseEvent* event)
{
    // A paper half written cannot be left: the window stays until the build ends.
    if (m_building) {
        event->ignore();
        return;
    }
    Form::closeEvent(event);
}

} // namespace pptdrill

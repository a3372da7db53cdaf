#include "bar/widgets/playerlauncher.h"

#include "paper/examsession.h"
#include "platform/processes.h"
#include "shell/programend.h"
#include "shell/widgets/controls.h"

#include <QLinearGradient>
#include <QPainter>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

QPixmap loadingPicture()
{
    const QRect area(0, 0, 240, 90);
    QPixmap picture = newPicture(area.size());
    QPainter painter(&picture);
    QLinearGradient fill(0, 0, 0, 90);
    fill.setColorAt(0, QColor(0x2b, 0x57, 0x9a));
    fill.setColorAt(1, QColor(0x1b, 0x3a, 0x6b));
    painter.fillRect(area, fill);
    painter.setPen(Qt::white);
    painter.setFont(songFont(12));
    painter.drawText(area, Qt::AlignCenter, u"试题加载中，请稍候……"_s);
    return picture;
}

} // namespace

PlayerLauncher::PlayerLauncher(ExamSession& session) : Form(u"stload"_s), m_session(session)
{
    setWindowTitle(u"试题加载窗"_s);
    setWindowFlag(Qt::WindowStaysOnTopHint);
    const QPixmap picture = loadingPicture();
    new Image(this, u"picture"_s, picture);
    setFixedSize(picture.deviceIndependentSize().toSize());
}

void PlayerLauncher::showEvent(QShowEvent* event)
{
    Form::showEvent(event);
    if (!m_launched) {
        m_launched = true;
        launch();
    }
}

void PlayerLauncher::launch()
{
    move(0, 0);
    std::optional<Recordset>& paper = m_session.paper();
    QString stid, position;
    if (paper && paper->isOpen() && paper->absolutePosition() > 0) {
        const Result<QVariant> field = paper->field(u"stid"_s);
        if (!field) {
            failProgram(field.error());
            return;
        }
        stid = field.value().toString().trimmed();
        position = QString::number(paper->absolutePosition());
    }
    m_session.playerCommand = playerExecutableName() + u' ' + stid + u'&' + position;
    emit launchRequested(m_session.playerCommand);
}

} // namespace pptdrill

#include "moc_playerlauncher.cpp"

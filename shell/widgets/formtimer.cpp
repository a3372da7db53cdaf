#include "shell/widgets/formtimer.h"

#include <QTimer>

namespace pptdrill {

namespace {
bool g_manual = false;
}

void FormTimer::setManual(bool manual)
{
    g_manual = manual;
}

bool FormTimer::isManual()
{
    return g_manual;
}

FormTimer::FormTimer(QObject* form, const QString& name, int intervalMs, bool enabled)
    : QObject(form), m_interval(intervalMs)
{
    setObjectName(name);
    if (!g_manual) {
        m_clock = new QTimer(this);
        m_clock->setInterval(intervalMs);
        connect(m_clock, &QTimer::timeout, this, &FormTimer::tick);
    }
    setEnabled(enabled);
}

void FormTimer::setEnabled(bool enabled)
{
    m_enabled = enabled;
    if (!m_clock)
        return;
    if (enabled)
        m_clock->start();
    else
        m_clock->stop();
}

void FormTimer::tick()
{
    if (m_enabled)
        emit ticked();
}

} // namespace pptdrill

#include "moc_formtimer.cpp"

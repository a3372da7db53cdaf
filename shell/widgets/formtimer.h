#pragma once

#include <QObject>
#include <QString>

class QTimer;

namespace pptdrill {

// A timer control of a form. It ticks on the user-interface thread every
// interval while enabled. In manual mode (tests) no clock drives it: ticks come
// only through tick(), so an exam of thousands of seconds runs in milliseconds.
class FormTimer : public QObject
{
    Q_OBJECT

public:
    FormTimer(QObject* form, const QString& name, int intervalMs, bool enabled = true);

    int interval() const { return m_interval; }
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);
    // One tick now, as if the interval had passed; nothing while disabled.
    void tick();

    static void setManual(bool manual);
    static bool isManual();

signals:
    void ticked();

private:
    int m_interval;
    bool m_enabled = false;
    QTimer* m_clock = nullptr;
};

} // namespace pptdrill

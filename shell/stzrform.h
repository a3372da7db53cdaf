#pragma once

#include "shell/form.h"

#include <QRandomGenerator>

namespace pptdrill {

class FormTimer;
class Label;
class ProgressBar;

// The loading window "stzr": the candidate's sign-in screen while its build
// timer builds the paper, then the hand-over to the question bar.
class StzrForm : public Form
{
    Q_OBJECT

public:
    StzrForm();

    // Tick of the build timer (every 1000 ms).
    void Timer1Timer();
    // Tick of the blink timer (every 500 ms).
    void Timer2Timer();
    void unloading() override;

    int tickCount() const { return m_ticks; }
    bool isBuilding() const { return m_building; }
    FormTimer* Timer1() const { return m_timer1; }
    FormTimer* Timer2() const { return m_timer2; }
    ProgressBar* stloadpro() const { return m_stloadpro; }
    Label* label(const QString& name) const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void build(bool random);

    ProgressBar* m_stloadpro = nullptr;
    Label* m_stcsts = nullptr;
    FormTimer* m_timer1 = nullptr;
    FormTimer* m_timer2 = nullptr;
    qint32 m_ticks = 0;
    bool m_building = false;
    bool m_randomBuildStarted = false;
    QRandomGenerator m_random;
};

} // namespace pptdrill

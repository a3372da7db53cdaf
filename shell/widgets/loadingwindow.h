#pragma once

#include "shell/widgets/form.h"

#include <QRandomGenerator>

namespace pptdrill {

class FormTimer;
class Label;
class ProgressBar;

// The loading window "stzr": the candidate's sign-in screen while its build
// timer builds the paper, then the hand-over to the question bar.
class LoadingWindow : public Form
{
    Q_OBJECT

public:
    explicit LoadingWindow(Trainer& trainer);

    void unloading() override;

    int tickCount() const { return m_ticks; }
    bool isBuilding() const { return m_building; }
    // Ticks every second; the paper is built on the second tick (at once for
    // a random paper).
    FormTimer* buildTimer() const { return m_buildTimer; }
    // Blinks "试题传输中..." every half second.
    FormTimer* blinkTimer() const { return m_blinkTimer; }
    ProgressBar* progressBar() const { return m_progressBar; }
    Label* label(const QString& name) const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildTick();
    void blinkTick();
    void build(bool random);

    Trainer& m_trainer;
    ProgressBar* m_progressBar = nullptr;
    Label* m_transferLabel = nullptr;
    FormTimer* m_buildTimer = nullptr;
    FormTimer* m_blinkTimer = nullptr;
    qint32 m_ticks = 0;
    bool m_building = false;
    bool m_randomBuildStarted = false;
    QRandomGenerator m_random;
};

} // namespace pptdrill

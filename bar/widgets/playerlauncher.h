#pragma once

#include "shell/widgets/form.h"

namespace pptdrill {

class ExamSession;

// The loading window "stload": showing it stops the running player and starts
// the player on the question bar's current question; it then unloads itself.
class PlayerLauncher : public Form
{
    Q_OBJECT

public:
    explicit PlayerLauncher(ExamSession& session);

signals:
    // The player command of the bar's current question (also kept in the
    // session); the trainer stops the running player and starts it.
    void launchRequested(const QString& command);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void launch();

    ExamSession& m_session;
    bool m_launched = false;
};

} // namespace pptdrill

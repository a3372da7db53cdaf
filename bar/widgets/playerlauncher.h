#pragma once

#include "shell/widgets/form.h"

namespace pptdrill {

// The loading window "stload": showing it stops the running player and starts
// the player on the question bar's current question; it then unloads itself.
class PlayerLauncher : public Form
{
    Q_OBJECT

public:
    explicit PlayerLauncher(Trainer& trainer);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void launch();

    Trainer& m_trainer;
    bool m_launched = false;
};

} // namespace pptdrill

#include "paper/widgets/handindialog.h"

#include "shell/widgets/controls.h"
#include "shell/widgets/trainer.h"

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

HandInDialog::HandInDialog(Trainer& trainer)
    : HandInConfirmation({u"jjzctx"_s, 5640, 3120, u"【再次提醒】"_s, QString(), 1215, 1215, 380}),
      m_trainer(trainer)
{
    connect(okButton(), &PushButton::clicked, this, &HandInDialog::confirm);
    connect(cancelButton(), &PushButton::clicked, this, &HandInDialog::cancel);
    connect(this, &Form::closeRequested, this, &HandInDialog::cancel);
}

void HandInDialog::confirm()
{
    m_trainer.handInDialog().unload();
    m_trainer.showResults();
}

void HandInDialog::cancel()
{
    m_trainer.handInDialog().unload();
}

} // namespace pptdrill

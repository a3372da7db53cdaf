#include "paper/widgets/unansweredhandindialog.h"

#include "paper/widgets/handindialog.h"
#include "shell/widgets/controls.h"
#include "shell/widgets/trainer.h"

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

UnansweredHandInDialog::UnansweredHandInDialog(Trainer& trainer)
    : HandInConfirmation({u"wzwjj"_s, 5460, 3150, u"【重要提醒】"_s, u"您还有题目未做或仍处于标识状态！"_s,
                          1150, 1155, 405}),
      m_trainer(trainer)
{
    connect(okButton(), &PushButton::clicked, this, &UnansweredHandInDialog::confirm);
    connect(cancelButton(), &PushButton::clicked, this, &UnansweredHandInDialog::cancel);
    // Closing it from its caption bar keeps the paper going, as "取消" does.
    connect(this, &Form::closeRequested, this, &UnansweredHandInDialog::cancel);
}

void UnansweredHandInDialog::confirm()
{
    m_trainer.unansweredHandInDialog().unload();
    m_trainer.handInDialog()->show();
}

void UnansweredHandInDialog::cancel()
{
    m_trainer.unansweredHandInDialog().unload();
}

} // namespace pptdrill

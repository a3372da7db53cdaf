#include "paper/widgets/unansweredhandindialog.h"

#include "shell/widgets/controls.h"

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

UnansweredHandInDialog::UnansweredHandInDialog()
    : HandInConfirmation(
          {u"wzwjj"_s, 5460, 3150, u"【重要提醒】"_s, u"您还有题目未做或仍处于标识状态！"_s, 1150, 1155, 405})
{
    connect(okButton(), &PushButton::clicked, this, &UnansweredHandInDialog::confirmed);
    connect(cancelButton(), &PushButton::clicked, this, &UnansweredHandInDialog::cancelled);
    // Closing it from its caption bar keeps the paper going, as "取消" does.
    connect(this, &Form::closeRequested, this, &UnansweredHandInDialog::cancelled);
}

} // namespace pptdrill

#include "moc_unansweredhandindialog.cpp"

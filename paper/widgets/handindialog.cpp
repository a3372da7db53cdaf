#include "paper/widgets/handindialog.h"

#include "shell/widgets/controls.h"

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

HandInDialog::HandInDialog()
    : HandInConfirmation({u"jjzctx"_s, 5640, 3120, u"【再次提醒】"_s, QString(), 1215, 1215, 380})
{
    connect(okButton(), &PushButton::clicked, this, &HandInDialog::confirmed);
    connect(cancelButton(), &PushButton::clicked, this, &HandInDialog::cancelled);
    connect(this, &Form::closeRequested, this, &HandInDialog::cancelled);
}

} // namespace pptdrill

#include "moc_handindialog.cpp"

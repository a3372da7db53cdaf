#pragma once

#include "paper/widgets/handinconfirmation.h"

namespace pptdrill {

// "wzwjj": the first confirmation of a hand-in while questions are undone or
// marked; 确定 leads on to the second.
class UnansweredHandInDialog : public HandInConfirmation
{
    Q_OBJECT

public:
    UnansweredHandInDialog();

signals:
    void confirmed(); // 确定: on to the second confirmation
    void cancelled(); // 取消 or the caption bar's close: the paper goes on
};

} // namespace pptdrill

#pragma once

#include "paper/widgets/handinconfirmation.h"

namespace pptdrill {

// "wzwjj": the first confirmation of a hand-in while questions are undone or
// marked; 确定 leads on to the second.
class UnansweredHandInDialog : public HandInConfirmation
{
    Q_OBJECT

public:
    explicit UnansweredHandInDialog(Trainer& trainer);
    void confirm(); // 确定: on to the second confirmation
    void cancel();  // 取消: the paper goes on

private:
    Trainer& m_trainer;
};

} // namespace pptdrill

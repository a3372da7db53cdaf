#pragma once

#include "paper/widgets/handinconfirmation.h"

namespace pptdrill {

// "jjzctx": the last word before the results; 确定 hands the paper in.
class HandInDialog : public HandInConfirmation
{
    Q_OBJECT

public:
    explicit HandInDialog(Trainer& trainer);
    void confirm(); // 确定: the bar goes, the results come
    void cancel();  // 取消: the paper goes on

private:
    Trainer& m_trainer;
};

} // namespace pptdrill

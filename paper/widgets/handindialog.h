#pragma once

#include "paper/widgets/handinconfirmation.h"

namespace pptdrill {

// "jjzctx": the last word before the results; 确定 hands the paper in.
class HandInDialog : public HandInConfirmation
{
    Q_OBJECT

public:
    HandInDialog();

signals:
    void confirmed(); // 确定: the bar goes, the results come
    void cancelled(); // 取消 or the caption bar's close: the paper goes on
};

} // namespace pptdrill

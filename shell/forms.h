#pragma once

#include "shell/form.h"
#include "shell/indexform.h"
#include "shell/loginforms.h"
#include "shell/stzrform.h"

namespace pptdrill {

// The main program's forms, loaded on first use.
extern FormVariable<IndexForm> indexForm;
extern FormVariable<TestloginForm> testloginForm;
extern FormVariable<ZctestForm> zctestForm;
extern FormVariable<StzrForm> stzrForm;

// Places a window in the middle of the primary screen.
void centreOnScreen(QWidget* window);

// The one way back to the main menu: it comes back in its normal state, also
// after its own "最小化窗口", and active.
void showMainMenu();

} // namespace pptdrill

#pragma once

namespace pptdrill {

struct KitForm;

// A dialog with only words and buttons (是否保存, a message): nothing in it takes
// typing, so a button's access letter works without Alt, as in Windows.
bool isMessageBox(const KitForm* form);

} // namespace pptdrill

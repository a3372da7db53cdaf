#include "movie/widgets/window/messagebox.h"

#include "movie/kit/kitcatalog.h"

#include <algorithm>

namespace pptdrill {

bool isMessageBox(const KitForm* form)
{
    if (!form || form->controls.empty())
        return false;
    if (form->message || form->asksToSave)
        return true;
    return std::all_of(form->controls.begin(), form->controls.end(), [](const KitControl& c) {
        return c.type == KitControlType::Label || c.type == KitControlType::Button ||
               c.type == KitControlType::Group;
    });
}

} // namespace pptdrill

#include "movie/widgets/window/listchoice.h"

#include "movie/kit/locators.h"
#include "movie/session/moviesession.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

// The list that `button` of the open dialog adds to, and the dialog it lies in.
struct AddTarget
{
    QString dialog;
    const KitControl* list = nullptr;
};

AddTarget addTarget(const MovieSession& session, const KitControl& button)
{
    const KitCatalog& kit = session.kit();
    if (button.adds.isEmpty())
        return {};
    const QString dialog =
        button.adds.contains(u'/') ? button.adds.section(u'/', 0, 0) : session.dialog()->name;
    const KitForm* form = kit.dialog(dialog);
    return {dialog, form ? form->control(button.adds.section(u'/', -1)) : nullptr};
}

// The name by which the target list names its source: "<list>" in the same dialog, "<dialog>/<list>" beneath.
QString sourceName(const MovieSession& session, const AddTarget& target, const QString& list)
{
    return target.dialog == session.dialog()->name ? list : session.dialog()->name + u'/' + list;
}

} // namespace

bool ListChoice::feedsAList(const MovieSession& session, const QString& list)
{
    const auto& d = session.dialog();
    const KitForm* form = d ? session.kit().dialog(d->name) : nullptr;
    if (!form)
        return false;
    return std::any_of(form->controls.begin(), form->controls.end(), [&](const KitControl& c) {
        const AddTarget target = addTarget(session, c);
        return target.list && target.list->gathers == sourceName(session, target, list);
    });
}

void ListChoice::click(const QStringList& offered, const QString& current, const QString& item, bool range)
{
    if (m_items.isEmpty() && !current.isEmpty())
        m_items << current;
    if (m_anchor.isEmpty())
        m_anchor = m_items.value(0, item);
    if (range) {
        const qsizetype from = offered.indexOf(m_anchor);
        const qsizetype to = offered.indexOf(item);
        if (from < 0 || to < 0)
            return;
        m_items = offered.mid(std::min(from, to), std::abs(to - from) + 1);
        return;
    }
    if (m_items.contains(item))
        m_items.removeAll(item);
    else
        m_items << item;
    m_anchor = item;
}

QStringList ListChoice::addingRun(const MovieSession& session, const QString& button) const
{
    const FormState& d = *session.dialog();
    const KitForm* form = session.kit().dialog(d.name);
    const KitControl* b = form ? form->control(button) : nullptr;
    const AddTarget target = b ? addTarget(session, *b) : AddTarget{};
    const KitControl* source = form ? form->control(m_list) : nullptr;
    if (!target.list || !source || target.list->gathers != sourceName(session, target, m_list))
        return {};
    // A button that closes its dialog: the dialog beneath opens it again for the next item.
    QString reopen;
    if (target.dialog != d.name) {
        const KitForm* beneath = session.kit().dialog(target.dialog);
        for (const KitControl& c : beneath ? beneath->controls : std::vector<KitControl>{}) {
            if (c.opens == u"dialog:"_s + d.name)
                reopen = actions::dialog(target.dialog, c.id);
        }
        if (reopen.isEmpty())
            return {};
    }
    QStringList run;
    QString chosen = d.value(source->id);
    for (const QString& item : session.itemsOf(*source, d)) {
        if (!m_items.contains(item))
            continue;
        if (!run.isEmpty() && !reopen.isEmpty()) {
            run << reopen;
            chosen.clear();
        }
        if (item != chosen)
            run << actions::dialog(d.name, source->id, item);
        run << actions::dialog(d.name, button);
        chosen = item;
    }
    return run;
}

} // namespace pptdrill

// The lists a dialog or task pane offers (the presentation's slides, custom shows, effects and
// objects, and what its buttons have gathered into a list), the buttons that fill them (添加,
// 删除, 上移, 下移, a custom show defined, edited, copied or deleted), and the items of the
// 幻灯片 and 窗口 menus that name the slides and windows.
#include "movie/document/effectlist.h"
#include "movie/session/moviesession.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

QStringList MovieSession::itemsOf(const KitControl& control, const FormState& state) const
{
    QStringList items;
    if (!control.gathers.isEmpty()) {
        // Numbered by their place in this list, as the source numbers them in the presentation.
        const auto it = state.gathered.find(control.id);
        const QStringList from = it == state.gathered.end() ? QStringList() : it->second;
        for (qsizetype i = 0; i < from.size(); ++i)
            items << u"%1. %2"_s.arg(i + 1).arg(from[i].contains(u". "_s) ? from[i].section(u". "_s, 1)
                                                                          : from[i]);
        return items;
    }
    QStringList shown = shownItems(control, state);
    // A box of an effect's field offers the items the pane's table gives the effect it shows: the
    // pane's the chosen effect, an effect's dialog the effect it opened on.
    const KitForm* dialog = state.name == m_taskPane.name ? nullptr : m_kit->dialog(state.name);
    const bool effectDialog = dialog && dialog->title.contains(u"{effect}"_s);
    const KitControl* table = state.name == m_taskPane.name && !control.effectItems.empty() ? &control
                              : effectDialog ? effectFieldTable(*m_kit, control.effectField)
                                             : nullptr;
    const int effect = effectDialog ? std::max(chosenEffect(), 0) : chosenEffect();
    if (table && effect >= 0 && effect < static_cast<int>(selectedSlide().effects.size())) {
        const auto it = table->effectItems.find(selectedSlide().effects[static_cast<size_t>(effect)].effect);
        if (it != table->effectItems.end())
            shown = it->second;
        else if (table != &control)
            shown = table->items;
    }
    for (const QString& item : shown) {
        if (item == u"@slides"_s) {
            for (size_t i = 0; i < m_presentation.slides.size(); ++i)
                items << slideListItem(m_presentation, static_cast<int>(i + 1));
        } else if (item == u"@shows"_s) {
            items << customShowNames(m_presentation);
        } else if (item == u"@effects"_s) {
            for (const EffectListRow& row : effectListRows(selectedSlide(), selectedSlide().effects))
                items << row.item;
        } else if (item == u"@objects"_s) {
            items << slideObjectNames(selectedSlide());
        } else if (item == u"@suggestions"_s) {
            if (!m_presentation.spelling.errors.empty())
                items << m_presentation.spelling.errors.front().suggestions;
        } else {
            items << item;
        }
    }
    return items;
}

void MovieSession::gatherItems(const KitControl& button)
{
    const KitForm* form = m_kit->dialog(m_dialog->name);
    if (!form)
        return;
    if (button.adds.contains(u'/')) {
        // A list of the dialog beneath, that opened this one, takes the item chosen here.
        const QString dialog = button.adds.section(u'/', 0, 0);
        const KitForm* target = m_kit->dialog(dialog);
        const KitControl* list = target ? target->control(button.adds.section(u'/', 1)) : nullptr;
        const QString chosen = list ? m_dialog->value(list->gathers.section(u'/', 1)) : QString();
        for (auto beneath = m_beneath.rbegin(); beneath != m_beneath.rend() && !chosen.isEmpty(); ++beneath) {
            if (beneath->name == dialog) {
                beneath->gathered[list->id] << chosen;
                break;
            }
        }
    } else if (!button.adds.isEmpty()) {
        const KitControl* list = form->control(button.adds);
        const QString chosen = m_dialog->value(list->gathers);
        if (!chosen.isEmpty())
            m_dialog->gathered[list->id] << chosen;
    }
    if (!button.removes.isEmpty()) {
        const KitControl* list = form->control(button.removes);
        const int at = static_cast<int>(itemsOf(*list, *m_dialog).indexOf(m_dialog->value(list->id)));
        if (at >= 0) {
            m_dialog->gathered[list->id].removeAt(at);
            m_dialog->values[list->id].clear();
        }
    }
    for (const auto& [listId, by] : {std::pair{button.raises, -1}, std::pair{button.lowers, 1}}) {
        if (listId.isEmpty())
            continue;
        const KitControl* list = form->control(listId);
        const int at = static_cast<int>(itemsOf(*list, *m_dialog).indexOf(m_dialog->value(list->id)));
        QStringList& gathered = m_dialog->gathered[list->id];
        if (at < 0 || at + by < 0 || at + by >= gathered.size())
            continue;
        gathered.move(at, at + by);
        // The moved item stays chosen, under its new number.
        m_dialog->values[list->id] = itemsOf(*list, *m_dialog).value(at + by);
    }
    if (!button.defines.isEmpty()) {
        const QString name = m_dialog->value(button.defines).trimmed();
        CustomShow show{name, {}};
        for (const KitControl& c : form->controls) {
            if (c.gathers.isEmpty())
                continue;
            const auto it = m_dialog->gathered.find(c.id);
            for (const QString& item : it == m_dialog->gathered.end() ? QStringList() : it->second)
                show.slides.push_back(item.section(u". "_s, 0, 0).toInt());
        }
        std::vector<CustomShow>& shows = m_presentation.customShows;
        const auto named = [&](const QString& n) {
            return std::find_if(shows.begin(), shows.end(), [&](const CustomShow& s) { return s.name == n; });
        };
        if (auto edited = named(m_dialog->editing); !m_dialog->editing.isEmpty() && edited != shows.end())
            *edited = show;
        else if (!name.isEmpty() && named(name) == shows.end())
            shows.push_back(show);
    }
}

QString slideListItem(const Presentation& presentation, int n)
{
    const QString title = presentation.slides[static_cast<size_t>(n - 1)].title.simplified();
    return u"%1. %2"_s.arg(n).arg(title.isEmpty() ? u"幻灯片 %1"_s.arg(n) : title);
}

QStringList slideMenuItems(const Presentation& presentation)
{
    QStringList items;
    for (int n = 1; n <= static_cast<int>(presentation.slides.size()); ++n)
        items << u"%1 %2"_s.arg(n).arg(slideListItem(presentation, n).section(u". "_s, 1));
    return items;
}

QStringList windowMenuItems(const Presentation& presentation)
{
    const WindowOptions& window = presentation.window;
    QStringList items;
    if (window.closed || window.exited)
        return items;
    for (int n = 1; n <= std::max(window.windows, 1); ++n)
        items << (window.windows > 1 ? u"%1 %2:%1"_s.arg(n).arg(presentation.file)
                                     : u"%1 %2"_s.arg(n).arg(presentation.file));
    return items;
}

QStringList customShowNames(const Presentation& presentation)
{
    QStringList names;
    for (const CustomShow& show : presentation.customShows)
        names << show.name;
    return names;
}

void MovieSession::editCustomShows(const KitControl& button)
{
    const QString list = !button.edits.isEmpty()    ? button.edits
                         : !button.copies.isEmpty() ? button.copies
                                                    : button.deletes;
    std::vector<CustomShow>& shows = m_presentation.customShows;
    const QString chosen = m_dialog->value(list);
    const auto show =
        std::find_if(shows.begin(), shows.end(), [&](const CustomShow& s) { return s.name == chosen; });
    if (list.isEmpty() || show == shows.end())
        return;
    if (!button.deletes.isEmpty()) {
        shows.erase(show);
        m_dialog->values[list].clear();
    } else if (!button.copies.isEmpty()) {
        // The copy comes last in the list, chosen, under a name no other show has.
        QString name = u"复件 %1"_s.arg(chosen);
        for (int n = 2;
             std::any_of(shows.begin(), shows.end(), [&](const CustomShow& s) { return s.name == name; });
             ++n)
            name = u"复件 (%1) %2"_s.arg(n).arg(chosen);
        CustomShow copy = *show;
        copy.name = name;
        shows.push_back(copy);
        m_dialog->values[list] = name;
    } else {
        const CustomShow edited = *show;
        applyOpens(button.opens, button.id);
        const KitForm* form = m_dialog ? m_kit->dialog(m_dialog->name) : nullptr;
        if (!form)
            return;
        m_dialog->editing = edited.name;
        for (const KitControl& c : form->controls) {
            if (c.type == KitControlType::Button && !c.defines.isEmpty())
                m_dialog->values[c.defines] = edited.name;
            if (c.gathers.isEmpty())
                continue;
            QStringList& gathered = m_dialog->gathered[c.id];
            for (int n : edited.slides) {
                if (n >= 1 && n <= static_cast<int>(m_presentation.slides.size()))
                    gathered << slideListItem(m_presentation, n);
            }
        }
    }
}

} // namespace pptdrill

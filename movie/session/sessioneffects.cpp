// The 自定义动画 pane follows the effect chosen in its list: its boxes show that effect's
// start, property and speed, the property box is the one named after the effect (方向 for
// 飞入, 尺寸 for 放大/缩小), and the boxes are greyed while no effect is chosen.
#include "movie/document/effectlist.h"
#include "movie/session/moviesession.h"

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

// What a box of the pane shows for an effect: its start, speed or direction where the box
// offers it, else the box's own value (the effect's default).
QString effectBoxValue(const KitControl& box, const SlideEffect& effect)
{
    const auto own = box.effectItems.find(effect.effect);
    const QStringList& items = own == box.effectItems.end() ? box.items : own->second;
    QString value;
    if (box.id == u"开始"_s)
        value = effect.start;
    else if (box.id == u"速度"_s)
        value = effect.speed.isEmpty() ? u"中速"_s : effect.speed;
    else if (box.id == u"方向"_s)
        value = effect.direction;
    if (!value.isEmpty() && items.contains(value))
        return value;
    return own == box.effectItems.end() ? box.value.toString() : items.value(0);
}

// The name of the effect chosen in the pane's list ("飞入"), empty for none.
QString chosenEffectName(const MovieSession& session)
{
    const int chosen = session.chosenEffect();
    const auto& effects = session.selectedSlide().effects;
    return chosen >= 0 && chosen < static_cast<int>(effects.size())
               ? effects[static_cast<size_t>(chosen)].effect
               : QString();
}

} // namespace

bool MovieSession::chooseEffectRow(const QString& item)
{
    const KitControl* list = effectList(*m_kit, m_taskPane);
    if (!list || m_dialog || effectOfListItem(selectedSlide(), item) < 0 ||
        m_taskPane.value(list->id) == item)
        return false;
    m_taskPane.values[list->id] = item;
    followChosenEffect();
    if (m_listener)
        m_listener();
    return true;
}

bool MovieSession::paneShows(const KitControl& control) const
{
    if (!paneControlShown(control, m_taskPane))
        return false;
    if (!control.forEffects)
        return true;
    const QString effect = chosenEffectName(*this);
    if (!control.forEffects->isEmpty())
        return control.forEffects->contains(effect);
    // The greyed box stands for the effects that no other box is named for.
    const KitForm* pane = m_kit->taskPane(m_taskPane.name);
    for (const KitControl& other : pane ? pane->controls : std::vector<KitControl>{}) {
        if (other.forEffects && other.forEffects->contains(effect))
            return false;
    }
    return true;
}

bool MovieSession::paneGreyed(const KitControl& control) const
{
    if (control.forEffects && control.forEffects->isEmpty())
        return true;
    return control.needsEffect && chosenEffect() < 0;
}

void MovieSession::followChosenEffect()
{
    const KitForm* pane = m_kit->taskPane(m_taskPane.name);
    if (!pane || !effectList(*m_kit, m_taskPane))
        return;
    const int chosen = chosenEffect();
    const SlideEffect* effect = chosen >= 0 ? &selectedSlide().effects[static_cast<size_t>(chosen)] : nullptr;
    for (const KitControl& c : pane->controls) {
        if (c.type == KitControlType::Combo && c.needsEffect)
            m_taskPane.values[c.id] = effect ? effectBoxValue(c, *effect) : QString();
    }
}

} // namespace pptdrill

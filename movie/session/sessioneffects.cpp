// The 自定义动画 pane follows the effect chosen in its list: its boxes show that effect's
// start, property and speed, the property box is the one named after the effect (方向 for
// 飞入, 尺寸 for 放大/缩小), and the boxes are greyed while no effect is chosen. What an effect's
// fields look like in a box (the pane's, 效果选项's) is read here too.
#include "movie/document/effectlist.h"
#include "movie/session/moviesession.h"

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

// What a box of the pane shows for an effect: the effect's own value of the box's field where the
// box offers it, else the box's own value (the effect's default).
QString effectBoxValue(const KitControl& box, const SlideEffect& effect, const Slide& slide)
{
    const auto own = box.effectItems.find(effect.effect);
    const QStringList& items = own == box.effectItems.end() ? box.items : own->second;
    if (const QString shown = effectFieldShown(box, items, effect, slide); !shown.isEmpty())
        return shown;
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

QString effectFieldText(const SlideEffect& effect, const QString& field, const Slide& slide)
{
    const auto tick = [](bool on) { return on ? u"on"_s : u"off"_s; };
    if (field == u"start"_s)
        return effect.start;
    if (field == u"speed"_s)
        return effect.speed.isEmpty() ? u"中速"_s : effect.speed;
    if (field == u"delay"_s)
        return QString::number(effect.delay);
    if (field == u"repeat"_s)
        return !effect.repeatUntil.isEmpty() ? effect.repeatUntil
               : effect.repeat > 1           ? QString::number(effect.repeat)
                                             : QString();
    if (field == u"rewind"_s || field == u"reverse"_s)
        return tick(field == u"rewind"_s ? effect.rewind : effect.reverse);
    if (field == u"trigger"_s)
        return effect.trigger.isEmpty() ? QString() : slideObjectName(slide, effect.trigger);
    const std::pair<const char16_t*, const QString*> texts[] = {{u"direction", &effect.direction},
                                                                {u"sound", &effect.sound},
                                                                {u"afterAnimation", &effect.afterAnimation},
                                                                {u"animateText", &effect.animateText},
                                                                {u"textGrouping", &effect.textGrouping}};
    for (const auto& [name, text] : texts) {
        if (field == QStringView(name))
            return *text;
    }
    return {};
}

const KitControl* effectFieldTable(const KitCatalog& kit, const QString& field)
{
    if (field.isEmpty())
        return nullptr;
    for (const QString& name : kit.taskPaneNames()) {
        const KitForm* pane = kit.taskPane(name);
        if (!pane)
            continue;
        for (const KitControl& c : pane->controls) {
            if (c.effectField == field && (c.forEffects || !c.effectItems.empty()))
                return &c;
        }
    }
    return nullptr;
}

bool effectOnText(const SlideEffect& effect, const Slide& slide)
{
    if (!effect.target.startsWith(u"shape:"_s))
        return true; // a placeholder: title, body, subtitle
    const int shape = effect.target.mid(6).toInt();
    return shape >= 1 && shape <= static_cast<int>(slide.shapes.size()) &&
           !slide.shapes[static_cast<size_t>(shape - 1)].text.isEmpty();
}

QString effectFieldShown(const KitControl& control, const QStringList& items, const SlideEffect& effect,
                         const Slide& slide)
{
    const QString value = effectFieldText(effect, control.effectField, slide);
    // The choice between the clicks' sequence and a trigger: its last option names the trigger.
    if (control.type == KitControlType::Options)
        return items.value(value.isEmpty() ? 0 : items.size() - 1);
    if (value.isEmpty())
        return {};
    const bool typed = control.type == KitControlType::Check || control.type == KitControlType::Spin ||
                       control.type == KitControlType::Text;
    if (typed || items.contains(value))
        return value;
    // A colour of a colour box (动画播放后's dimming colour, "#RRGGBB") as the box names one chosen in 颜色.
    if (control.type == KitControlType::Color && value.startsWith(u'#') && value.size() == 7) {
        const auto channel = [&value](int at) { return value.mid(at, 2).toInt(nullptr, 16); };
        return u"RGB(%1,%2,%3)"_s.arg(channel(1)).arg(channel(3)).arg(channel(5));
    }
    // A speed offered with its time: "2 秒(中速)".
    for (const QString& item : items) {
        if (item.endsWith(u"(%1)"_s.arg(value)))
            return item;
    }
    return control.editable ? value : QString();
}

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
            m_taskPane.values[c.id] = effect ? effectBoxValue(c, *effect, selectedSlide()) : QString();
    }
}

} // namespace pptdrill

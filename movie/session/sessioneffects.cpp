// The 自定义动画 pane follows the effect chosen in its list: its boxes show that effect's
// start, property and speed, the property box is the one named after the effect (方向 for
// 飞入, 尺寸 for 放大/缩小), and the boxes are greyed while no effect is chosen. What an effect's
// fields look like in a box (the pane's, 效果选项's) is read here too.
#include "movie/document/effectlist.h"
#include "movie/session/moviesession.h"

#include <algorithm>
#include <set>

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

bool MovieSession::openEffectDialogFreely(const KitTarget& target)
{
    // The row's ▼ menu, its right-click menu and a double-click on it open the effect's dialog
    // whatever the step: its settings are another way to the pane's boxes.
    const KitForm* dialog =
        target.opens.startsWith(u"dialog:"_s) ? m_kit->dialog(target.opens.mid(7)) : nullptr;
    if (target.kind != KitTarget::TaskPane || target.form != m_taskPane.name || !target.control ||
        target.hasValue || !dialog || !dialog->title.contains(u"{effect}"_s) || chosenEffect() < 0 ||
        m_dialog || m_presentation.taskpane != m_taskPane.name)
        return false;
    MovieSession before = *this;
    applyAction(target);
    if (!m_dialog)
        return false;
    m_dialog->forEffectBoxes = true;
    markDialogs(&before, {}, 0);
    if (m_listener)
        m_listener();
    return true;
}

std::optional<bool> MovieSession::confirmEffectDialog(const KitTarget& target)
{
    if (!m_dialog || !m_dialog->forEffectBoxes || target.kind != KitTarget::Dialog ||
        target.form != m_dialog->name || !target.control || target.hasValue ||
        target.control->id != u"确定"_s || m_dialogMarks.empty())
        return std::nullopt;
    const FormState dialog = *m_dialog;
    const KitForm* form = m_kit->dialog(dialog.name);
    const int chosen = chosenEffect();
    // Whether the dialog holds what a step's changes make of the chosen effect; the fields it
    // changes go to `changed`.
    const auto holds = [&](const MovieSession& at, const MovieStep& step, QStringList& changed) {
        const QJsonObject change = step.set.value(u"changeEffect"_s).toObject();
        Presentation after = at.m_presentation;
        if (change.value(u"index"_s).toInt() != chosen + 1 || !applyPresentationChanges(after, step.set) ||
            after.selected != at.m_presentation.selected)
            return false;
        const Slide& slide = after.slides[static_cast<size_t>(after.selected - 1)];
        if (chosen >= static_cast<int>(slide.effects.size()))
            return false;
        for (auto it = change.begin(); it != change.end(); ++it) {
            if (it.key() == u"index"_s)
                continue;
            const QString field = it.key() == u"repeatUntil"_s ? u"repeat"_s : it.key();
            bool boxed = false;
            for (const KitControl& box : form ? form->controls : std::vector<KitControl>{}) {
                if (box.effectField != field || box.id.isEmpty())
                    continue;
                const QString wanted = effectFieldShown(box, itemsOf(box, dialog),
                                                        slide.effects[static_cast<size_t>(chosen)], slide);
                if (wanted.isEmpty() || dialog.value(box.id) != wanted)
                    return false;
                boxed = true;
            }
            if (!boxed)
                return false;
            changed << field;
        }
        return !changed.isEmpty();
    };
    // The steps that change the chosen effect to what the dialog holds are played, one after
    // another as they come, on the window as it was before the dialog opened: a pane's box, the
    // row's 从上一项之后开始, and a visit of this dialog that a step opens, up to its 确定.
    MovieSession trial = m_dialogMarks.back();
    std::set<QString> fields;
    bool taken = false;
    const auto play = [&](MovieSession& at, const std::vector<StepTaking>& run) {
        for (const StepTaking& s : run) {
            if (!at.m_steps.isDone(s) && !at.perform(StepProgress::stepAt(m_movie, s).accept.first()))
                return false;
        }
        return at.m_steps.isDone(run.back());
    };
    for (int round = 0; round < m_steps.count() && chosen >= 0; ++round) {
        bool progressed = false;
        for (const StepTaking& open : trial.m_steps.openSteps()) {
            const MovieStep& step = StepProgress::stepAt(m_movie, open);
            std::vector<StepTaking> run{open};
            auto opening = m_kit->resolve(step.accept.first());
            if (opening && opening->opens == u"dialog:"_s + dialog.name) {
                // The visit: the dialog's own steps after the one that opens it, up to its 确定.
                const QString prefix = u"dialog:%1/"_s.arg(dialog.name);
                const auto count =
                    static_cast<int>(open.way < 0 ? m_movie.steps.size()
                                                  : m_movie.ways[static_cast<size_t>(open.way)].steps.size());
                for (StepTaking next{open.way, open.step + 1}; next.step < count; ++next.step) {
                    const QString action = StepProgress::stepAt(m_movie, next).accept.first();
                    if (!action.startsWith(prefix))
                        break;
                    run.push_back(next);
                    if (action == prefix + u"确定"_s)
                        break;
                }
            }
            QStringList changed;
            if (!holds(trial, StepProgress::stepAt(m_movie, run.back()), changed))
                continue;
            MovieSession attempt = trial;
            if (!play(attempt, run) || attempt.m_dialog)
                continue;
            trial = std::move(attempt);
            fields.insert(changed.begin(), changed.end());
            taken = progressed = true;
            break;
        }
        if (!progressed)
            break;
    }
    // A setting changed that none of those steps asks for keeps the dialog open.
    for (const auto& [id, before] : dialog.changedFreely) {
        const KitControl* c = form ? form->control(id) : nullptr;
        if (c && c->type != KitControlType::Tabs && dialog.value(id) != before &&
            !fields.count(c->effectField)) {
            if (m_listener)
                m_listener();
            return false;
        }
    }
    const auto listener = m_listener;
    const int actionsTaken = m_steps.actionsTaken();
    *this = std::move(trial);
    m_listener = listener;
    m_steps.keepActionsTaken(std::max(actionsTaken, m_steps.actionsTaken()));
    if (m_listener)
        m_listener();
    return taken;
}

bool MovieSession::pressButtonFreely(const KitTarget& target)
{
    // A button that only shows more of the dialog (效果选项's 触发器) shows it whatever the step.
    if (!m_dialog || target.kind != KitTarget::Dialog || target.form != m_dialog->name || !target.control ||
        target.hasValue || target.control->type != KitControlType::Button || !target.opens.isEmpty() ||
        m_dialog->pressed.contains(target.control->id))
        return false;
    const KitForm* form = m_kit->dialog(m_dialog->name);
    const bool shows =
        form && std::any_of(form->controls.begin(), form->controls.end(),
                            [&](const KitControl& c) { return c.after == target.control->id; });
    if (!shows)
        return false;
    m_dialog->pressed << target.control->id;
    if (m_listener)
        m_listener();
    return true;
}

} // namespace pptdrill

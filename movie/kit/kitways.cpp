#include "movie/kit/kitways.h"

#include "movie/kit/locators.h"

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

// "其他效果(M)..." as a hint names it: "其他效果".
QString plain(const QString& text)
{
    QString out = text;
    if (out.endsWith(u"..."_s))
        out.chop(3);
    const qsizetype open = out.lastIndexOf(u'(');
    if (open > 0 && out.endsWith(u')') && out.size() - open == 3)
        out.truncate(open);
    return out;
}

// A choice made in a task-pane button's menu.
struct MenuChoice
{
    QString pane;
    const KitControl* control = nullptr; // the submenu's control
    QString value;
};

std::optional<MenuChoice> menuChoice(const QString& action, const KitCatalog& kit)
{
    const auto t = kit.resolve(action);
    if (!t || t->kind != KitTarget::TaskPane || !t->hasValue || !t->control || t->control->under.isEmpty())
        return std::nullopt;
    const KitForm* pane = kit.taskPane(t->form);
    const KitControl* button = pane ? pane->control(t->control->under) : nullptr;
    if (!button || button->menu.empty())
        return std::nullopt;
    return MenuChoice{t->form, t->control, t->value};
}

// The list or gallery of `dialog` that has `item`.
const KitControl* listWith(const KitForm& dialog, const QString& item)
{
    for (const KitControl& c : dialog.controls) {
        if ((c.type == KitControlType::List || c.type == KitControlType::Gallery) && c.items.contains(item))
            return &c;
    }
    return nullptr;
}

MovieStep wayStep(const QString& hint, const QString& action, int line, const QJsonObject& set = {})
{
    MovieStep step;
    step.hint = step.caption = hint;
    step.accept = QStringList{action};
    step.set = set;
    step.line = line;
    return step;
}

// A dialog that turns into the one a step opens (查找 → 替换(R)... → 替换): its menu command
// and its button are another way of that step.
std::optional<MovieWay> throughDialogTurningInto(const MovieStep& step, int index, const KitCatalog& kit)
{
    const auto command = kit.resolve(step.accept.value(0));
    if (!command || !command->opens.startsWith(u"dialog:"_s) ||
        (command->kind != KitTarget::Menu && command->kind != KitTarget::Key))
        return std::nullopt;
    for (const KitMenu& menu : kit.menus()) {
        for (const KitMenuItem& item : menu.items) {
            if (!item.opens.startsWith(u"dialog:"_s) || item.opens == command->opens || item.disabled)
                continue;
            const KitForm* dialog = kit.dialog(item.opens.mid(7));
            const KitControl* button = nullptr;
            for (const KitControl& c : dialog ? dialog->controls : std::vector<KitControl>{}) {
                if (c.turnsInto && c.opens == command->opens)
                    button = &c;
            }
            if (!button)
                continue;
            MovieWay way;
            way.name = u"“%1”对话框"_s.arg(dialog->name);
            way.from = index;
            way.count = 1;
            way.line = step.line;
            MovieStep open = wayStep(u"单击“%1”菜单中的“%2”命令。"_s.arg(plain(menu.title), plain(item.text)),
                                     actions::menu({menu.title, item.text}), step.line);
            if (!item.shortcut.isEmpty())
                open.accept << actions::key(item.shortcut);
            way.steps.push_back(open);
            way.steps.push_back(wayStep(u"单击“%1”按钮。"_s.arg(plain(button->id)),
                                        actions::dialog(dialog->name, button->id), step.line, step.set));
            return way;
        }
    }
    return std::nullopt;
}

} // namespace

std::vector<MovieWay> kitWays(const Movie& movie, const KitCatalog& kit)
{
    std::vector<MovieWay> ways;
    const int count = static_cast<int>(movie.steps.size());
    std::vector<bool> taken(movie.steps.size(), false);
    for (const MovieWay& way : movie.ways)
        std::fill(taken.begin() + way.from, taken.begin() + way.from + way.count, true);
    auto free = [&](int from, int steps) {
        return from + steps <= count && std::find(taken.begin() + from, taken.begin() + from + steps, true) ==
                                            taken.begin() + from + steps;
    };
    for (int i = 0; i < count; ++i) {
        const MovieStep& step = movie.steps[static_cast<size_t>(i)];
        if (free(i, 1)) {
            if (std::optional<MovieWay> way = throughDialogTurningInto(step, i, kit))
                ways.push_back(std::move(*way));
        }
        const auto choice = menuChoice(step.accept.value(0), kit);
        if (!choice)
            continue;
        const KitControl& c = *choice->control;
        const QString submenu = plain(c.text.isEmpty() ? c.id : c.text);
        const auto opens = c.itemOpens.find(choice->value);
        if (opens != c.itemOpens.end()) {
            // Through the dialog: [more…, the dialog's item, 确定] is the menu's item, if it lists it.
            if (!opens->second.startsWith(u"dialog:"_s) || !free(i, 3))
                continue;
            const QString dialog = opens->second.mid(7);
            const MovieStep& pick = movie.steps[static_cast<size_t>(i + 1)];
            const MovieStep& ok = movie.steps[static_cast<size_t>(i + 2)];
            const auto picked = kit.resolve(pick.accept.value(0));
            if (!picked || picked->kind != KitTarget::Dialog || picked->form != dialog || !picked->hasValue ||
                !c.items.contains(picked->value) || c.itemOpens.count(picked->value) ||
                ok.accept.value(0) != actions::dialog(dialog, u"确定"_s) || !step.set.isEmpty() ||
                !pick.set.isEmpty())
                continue;
            MovieWay way;
            way.name = u"“%1”菜单"_s.arg(c.under);
            way.from = i;
            way.count = 3;
            way.line = step.line;
            way.steps.push_back(wayStep(u"指向“%1”，单击“%2”。"_s.arg(submenu, picked->value),
                                        actions::taskPane(choice->pane, c.id, picked->value), step.line,
                                        ok.set));
            ways.push_back(way);
            std::fill(taken.begin() + i, taken.begin() + i + 3, true);
            i += 2;
            continue;
        }
        // In the menu: [the item] is also [more…, the dialog's item, 确定].
        if (!free(i, 1))
            continue;
        for (const auto& [more, target] : c.itemOpens) {
            const KitForm* dialog = target.startsWith(u"dialog:"_s) ? kit.dialog(target.mid(7)) : nullptr;
            const KitControl* list = dialog ? listWith(*dialog, choice->value) : nullptr;
            if (!list || !dialog->control(u"确定"_s))
                continue;
            MovieWay way;
            way.name = u"“%1”对话框"_s.arg(dialog->name);
            way.from = i;
            way.line = step.line;
            way.steps.push_back(wayStep(u"指向“%1”，单击“%2”。"_s.arg(submenu, plain(more)),
                                        actions::taskPane(choice->pane, c.id, more), step.line));
            way.steps.push_back(wayStep(u"在“%1”对话框中单击“%2”。"_s.arg(dialog->name, choice->value),
                                        actions::dialog(dialog->name, list->id, choice->value), step.line));
            way.steps.push_back(wayStep(u"单击“确定”按钮。"_s, actions::dialog(dialog->name, u"确定"_s),
                                        step.line, step.set));
            ways.push_back(way);
            break;
        }
    }
    return ways;
}

void addContextCommands(Movie& movie, const KitCatalog& kit)
{
    auto widen = [&](MovieStep& step) {
        if (step.routeNamed)
            return;
        const QStringList accepted = step.accept;
        for (const QString& action : accepted) {
            const auto menu = kit.resolve(action);
            if (!menu || menu->kind != KitTarget::Menu || menu->opens.isEmpty() || menu->path.isEmpty())
                continue;
            const QString context = actions::context(u"text"_s, {menu->path.last()});
            const auto item = kit.resolve(context);
            if (item && item->opens == menu->opens && !step.accept.contains(context))
                step.accept << context;
        }
    };
    for (MovieStep& step : movie.steps)
        widen(step);
    for (MovieWay& way : movie.ways) {
        for (MovieStep& step : way.steps)
            widen(step);
    }
}

} // namespace pptdrill

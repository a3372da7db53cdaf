// Reading an action a movie names against the kit: what it clicks, what it opens, and
// whether the kit has it at all.
#include "movie/kit/kitcatalog.h"
#include "movie/kit/locators.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

const KitMenuItem* findItem(const std::vector<KitMenuItem>& items, const QString& text)
{
    for (const KitMenuItem& item : items) {
        if (!item.separator && item.text == text)
            return &item;
    }
    return nullptr;
}

bool isNumber(const QString& text)
{
    bool ok = false;
    text.toDouble(&ok);
    return ok;
}

} // namespace

namespace {

using R = Result<KitTarget>;

// The command of a menu that `path` names from its second part on; null, with `error` set, when
// the menu does not have it.
const KitMenuItem* findCommand(const std::vector<KitMenuItem>* items, const QStringList& path,
                               const QString& action, KitTarget& t, QString& error)
{
    const KitMenuItem* item = nullptr;
    for (qsizetype i = 1; i < path.size(); ++i) {
        item = findItem(*items, path[i]);
        // A submenu of the presentation's slides (定位至幻灯片) takes any slide; the session checks that
        // it is there.
        if (!item && items->size() == 1 && items->front().text == u"@slides"_s) {
            item = &items->front();
            t.slideChoice = path[i];
        }
        // The open windows that the 窗口 menu lists after its commands: the session checks which.
        if (const KitMenuItem* windows = findItem(*items, u"@windows"_s); !item && windows) {
            item = windows;
            t.windowChoice = path[i];
        }
        if (!item) {
            error = u"“%1”中没有“%2”"_s.arg(path.mid(0, i).join(u'/'), path[i]);
            return nullptr;
        }
        items = &item->items;
    }
    if (!item->items.empty()) {
        error = u"“%1”是子菜单，不是命令"_s.arg(action);
        return nullptr;
    }
    return item;
}

// "menu:<title>/<item>…" (of `menuBar`) and "context:<area>/<item>…".
R resolveMenu(const KitCatalog& catalog, const ActionParts& a, const QString& action,
              const std::vector<KitMenu>& menuBar)
{
    KitTarget t;
    QString error;
    const std::vector<KitMenuItem>* items = nullptr;
    if (a.kind == ActionParts::Menu) {
        t.kind = KitTarget::Menu;
        for (const KitMenu& m : menuBar) {
            if (m.title == a.path.value(0))
                items = &m.items;
        }
        if (!items)
            return R::failure(u"没有菜单“%1”"_s.arg(a.path.value(0)));
    } else {
        t.kind = KitTarget::Context;
        t.area = a.path.value(0);
        items = catalog.contextMenu(t.area);
        if (!items)
            return R::failure(u"没有“%1”处的快捷菜单"_s.arg(t.area));
    }
    if (a.path.size() < 2)
        return R::failure(u"“%1”没有指出命令"_s.arg(action));
    t.path = a.path;
    const KitMenuItem* item = findCommand(items, a.path, action, t, error);
    if (!item)
        return R::failure(error);
    if (item->disabled)
        return R::failure(u"“%1”不可用"_s.arg(action));
    t.opens = item->opens;
    t.views = item->views;
    t.selected = item->selected;
    t.enabledFor = item->enabledFor;
    t.link = item->link;
    t.withText = item->withText;
    return t;
}

// "toolbar:<button>", "toolbar:<button>/<menu item>…", "toolbar:<drop-down box>=<value>" or
// "toolbar:Shift+<button>".
R resolveToolbar(const KitCatalog& catalog, const ActionParts& a, const QString& action)
{
    KitTarget t;
    QString error;
    const QString& name = a.path.first();
    t.kind = KitTarget::Toolbar;
    t.path = a.path;
    if (a.shift) {
        // A click with Shift held: the view buttons open the masters and 设置放映方式.
        const KitButton* b = catalog.toolbarButton(name);
        if (!b || b->shiftOpens.isEmpty())
            return R::failure(u"工具栏上没有按住 Shift 单击的“%1”"_s.arg(name));
        t.path = QStringList{name};
        t.shift = true;
        t.opens = b->shiftOpens;
        return t;
    }
    const KitButton* b = catalog.toolbarButton(name);
    if (!b)
        return R::failure(u"工具栏上没有“%1”"_s.arg(name));
    if (a.hasValue) {
        t.hasValue = true;
        t.value = a.value;
        if (b->type != KitButtonType::Combo || a.path.size() != 1)
            return R::failure(u"“%1”不是下拉框"_s.arg(name));
        if (!b->editable && !b->values.contains(t.value))
            return R::failure(u"“%1”中没有“%2”"_s.arg(name, t.value));
        return t;
    }
    if (b->type == KitButtonType::Combo)
        return R::failure(u"下拉框“%1”需要一个值（=…）"_s.arg(name));
    if (a.path.size() == 1) {
        t.opens = b->opens;
        return t;
    }
    const KitMenuItem* item = findCommand(&b->items, a.path, action, t, error);
    if (!item)
        return R::failure(error);
    t.kind = KitTarget::ToolbarMenu;
    t.opens = item->opens;
    return t;
}

// A click or double-click on the slide, a thumbnail, the outline or an object.
R resolveClick(const ActionParts& a, const QString& action)
{
    KitTarget t;
    static const QStringList areas{u"title"_s, u"body"_s, u"subtitle"_s, u"slide"_s, u"notes"_s};
    static const QStringList placeholders{u"title"_s, u"body"_s, u"subtitle"_s};
    const bool click = a.kind == ActionParts::Click;
    const bool outline = a.target.startsWith(u"outline:"_s);
    t.kind = click ? KitTarget::Click : KitTarget::DoubleClick;
    t.area = a.target;
    if (click && outline) {
        if (a.malformed)
            return R::failure(u"“%1”没有指出大纲中的段落"_s.arg(action));
        t.slide = a.slide;
        t.paragraph = a.paragraph;
        return t;
    }
    const bool thumb = a.target.startsWith(u"thumb:"_s) && a.slide > 0;
    const bool shape = a.shape > 0;
    // dblclick:frame:<placeholder>: the border of a placeholder.
    const bool frame = !click && a.frame && placeholders.contains(a.placeholder);
    if (!thumb && !shape && !frame && (a.frame || outline || !areas.contains(a.placeholder)))
        return R::failure(u"“%1”不是可单击的位置"_s.arg(a.target));
    // Shift or Ctrl held adds an object to the selection; nothing else takes them.
    if ((a.shift || a.ctrl) && !shape)
        return R::failure(u"“%1”：只有对象可以按住 Shift 或 Ctrl 单击"_s.arg(action));
    t.shift = a.shift;
    t.ctrl = a.ctrl;
    t.slide = thumb ? a.slide : 0;
    t.shape = a.shape;
    t.frame = frame;
    t.placeholder = a.placeholder;
    return t;
}

// Whether a box of an effect's field offers `value` for some effect: the items a task pane's table
// gives effects (its own `effectItems`, or the pane's box of that field that an effect's dialog follows:
// 棋盘's 方向 跨越, 向下). Which effect is shown is known only as the task is played.
bool offeredForSomeEffect(const KitCatalog& catalog, const KitControl& control, const QString& value)
{
    const auto offers = [&value](const KitControl& c) {
        return std::any_of(c.effectItems.begin(), c.effectItems.end(),
                           [&value](const auto& items) { return items.second.contains(value); });
    };
    if (offers(control))
        return true;
    if (control.effectField.isEmpty())
        return false;
    for (const QString& name : catalog.taskPaneNames()) {
        const KitForm* pane = catalog.taskPane(name);
        if (!pane)
            continue;
        for (const KitControl& c : pane->controls) {
            if (c.effectField == control.effectField && offers(c))
                return true;
        }
    }
    return false;
}

// A control of a dialog or a task pane, with or without a value.
R resolveControl(const KitCatalog& catalog, const ActionParts& a, const QString& action)
{
    KitTarget t;
    const bool isDialog = a.kind == ActionParts::Dialog;
    if (a.path.size() < 2 || a.path[0].isEmpty())
        return R::failure(u"“%1”没有指出控件"_s.arg(action));
    t.form = a.path[0];
    const QString& id = a.path[1];
    const KitForm* form = isDialog ? catalog.dialog(t.form) : catalog.taskPane(t.form);
    if (!form)
        return R::failure(u"没有%1“%2”"_s.arg(isDialog ? u"对话框"_s : u"任务窗格"_s, t.form));
    t.kind = isDialog ? KitTarget::Dialog : KitTarget::TaskPane;
    t.control = form->control(id);
    if (!t.control)
        return R::failure(u"“%1”中没有控件“%2”"_s.arg(t.form, id));
    t.path = {t.form, id};
    const KitControlType type = t.control->type;
    if (!a.hasValue) {
        if (type != KitControlType::Button && type != KitControlType::Link)
            return R::failure(u"“%1”的“%2”需要一个值（=…）"_s.arg(t.form, id));
        t.opens = t.control->opens;
        if (t.opens.isEmpty() && form->dialog && (id == u"确定"_s || id == u"取消"_s || id == u"关闭"_s))
            t.opens = u"close"_s;
        return t;
    }
    t.hasValue = true;
    t.value = a.value;
    if (auto it = t.control->itemOpens.find(t.value); it != t.control->itemOpens.end())
        t.opens = it->second;
    if (type == KitControlType::Check) {
        if (t.value != u"on"_s && t.value != u"off"_s)
            return R::failure(u"复选框“%1”的值只能是 on 或 off"_s.arg(id));
    } else if (type == KitControlType::Spin) {
        if (!isNumber(t.value))
            return R::failure(u"“%1”的值应为数字"_s.arg(id));
    } else if (type == KitControlType::List || type == KitControlType::Options ||
               type == KitControlType::Gallery || type == KitControlType::Tabs ||
               type == KitControlType::Color || type == KitControlType::Palette ||
               (type == KitControlType::Combo && !t.control->editable)) {
        // The items the presentation gives, or a list fills, are checked as the task is played.
        const bool givenLater = t.control->itemsFromPresentation() || !t.control->gathers.isEmpty() ||
                                offeredForSomeEffect(catalog, *t.control, t.value);
        if (!givenLater && (!t.control->items.contains(t.value) || t.control->headers.contains(t.value)))
            return R::failure(u"“%1”中没有“%2”"_s.arg(id, t.value));
    } else if (type != KitControlType::Text && type != KitControlType::Combo &&
               type != KitControlType::EditList) {
        return R::failure(u"“%1”不能取值"_s.arg(id));
    }
    return t;
}

} // namespace

Result<KitTarget> KitCatalog::resolve(const QString& action) const
{
    const ActionParts a = parseAction(action);
    KitTarget t;
    switch (a.kind) {
    case ActionParts::None:
        break;
    case ActionParts::Context:
        return resolveMenu(*this, a, action, m_menus);
    case ActionParts::Menu: {
        // PowerPoint's command, else one of Graph's menu bar.
        R own = resolveMenu(*this, a, action, m_menus);
        if (own || m_graphMenus.empty())
            return own;
        R graph = resolveMenu(*this, a, action, m_graphMenus);
        if (!graph)
            return own;
        graph->graph = true;
        return graph;
    }
    case ActionParts::Toolbar:
        return resolveToolbar(*this, a, action);
    case ActionParts::Key: {
        const KitKey* k = key(a.shortcut);
        if (!k)
            return R::failure(u"没有快捷键“%1”"_s.arg(a.shortcut));
        t.kind = KitTarget::Key;
        t.path = {k->key};
        t.opens = k->opens;
        return t;
    }
    case ActionParts::Thumb:
        if (a.malformed)
            return R::failure(u"“%1”没有指出幻灯片"_s.arg(action));
        t.kind = KitTarget::Thumb;
        t.slide = a.slide;
        t.ctrl = a.ctrl;
        t.shift = a.shift;
        t.dropAfter = a.dropAfter;
        return t;
    case ActionParts::Click:
    case ActionParts::DoubleClick:
        return resolveClick(a, action);
    case ActionParts::Type: {
        static const QStringList typedInto{u"notes"_s, u"title"_s, u"body"_s, u"subtitle"_s};
        if (a.malformed || (a.shape == 0 && !typedInto.contains(a.placeholder)))
            return R::failure(u"“%1”不是可输入文字的位置"_s.arg(a.target));
        if (!a.hasValue || a.value.trimmed().isEmpty())
            return R::failure(u"“%1”需要输入的文字（=…）"_s.arg(action));
        t.kind = KitTarget::Type;
        t.area = a.target;
        t.shape = a.shape;
        t.placeholder = a.placeholder;
        t.hasValue = true;
        t.value = a.value;
        return t;
    }
    case ActionParts::Draw:
        if (a.target != u"slide"_s)
            return R::failure(u"“%1”不是可绘制图形的位置"_s.arg(a.target));
        t.kind = KitTarget::Draw;
        t.area = a.target;
        t.placeholder = a.target;
        return t;
    case ActionParts::TaskPane:
    case ActionParts::Dialog:
        return resolveControl(*this, a, action);
    }
    return R::failure(u"“%1”不是操作"_s.arg(action));
}

} // namespace pptdrill

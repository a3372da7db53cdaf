#include "movie/kitcatalog.h"

#include "movie/movie.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>
#include <cstdlib>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

KitMenuItem readMenuItem(const QJsonObject& o)
{
    KitMenuItem item;
    item.separator = o[u"separator"_s].toBool();
    item.text = o[u"text"_s].toString();
    item.shortcut = o[u"shortcut"_s].toString();
    item.opens = o[u"opens"_s].toString();
    item.disabled = o[u"disabled"_s].toBool();
    for (const QJsonValue& view : o[u"views"_s].toArray())
        item.views << view.toString();
    for (const QJsonValue& sub : o[u"items"_s].toArray())
        item.items.push_back(readMenuItem(sub.toObject()));
    return item;
}

std::vector<KitMenuItem> readMenuItems(const QJsonArray& list)
{
    std::vector<KitMenuItem> items;
    for (const QJsonValue& v : list)
        items.push_back(readMenuItem(v.toObject()));
    return items;
}

KitForm readForm(const QString& name, const QJsonObject& o, bool dialog)
{
    KitForm form;
    form.name = name;
    form.dialog = dialog;
    form.title = o[u"title"_s].toString();
    form.width = o[u"width"_s].toInt(dialog ? 400 : 200);
    form.height = o[u"height"_s].toInt(dialog ? 300 : 0);
    for (const QJsonValue& v : o[u"controls"_s].toArray()) {
        const QJsonObject c = v.toObject();
        KitControl control;
        control.type = c[u"type"_s].toString();
        control.id = c[u"id"_s].toString();
        control.label = c[u"label"_s].toString();
        control.text = c[u"text"_s].toString();
        control.tab = c[u"tab"_s].toString();
        control.opens = c[u"opens"_s].toString();
        control.suffix = c[u"suffix"_s].toString();
        control.doubleClick = c[u"doubleClick"_s].toString();
        for (const QJsonValue& item : c[u"items"_s].toArray())
            control.items << item.toString();
        for (const QJsonValue& item : c[u"headers"_s].toArray())
            control.headers << item.toString();
        const QJsonObject opens = c[u"itemOpens"_s].toObject();
        for (auto it = opens.begin(); it != opens.end(); ++it)
            control.itemOpens[it.key()] = it.value().toString();
        control.value = c[u"value"_s];
        control.x = c[u"x"_s].toInt();
        control.y = c[u"y"_s].toInt();
        control.w = c[u"w"_s].toInt();
        control.h = c[u"h"_s].toInt();
        control.columns = c[u"columns"_s].toInt();
        control.min = c[u"min"_s].toDouble(0);
        control.max = c[u"max"_s].toDouble(9999);
        control.step = c[u"step"_s].toDouble(1);
        control.editable = c[u"editable"_s].toBool();
        if (control.type == u"tabs"_s && control.id.isEmpty())
            control.id = u"标签"_s;
        form.controls.push_back(control);
    }
    return form;
}

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

const KitControl* KitForm::control(const QString& id) const
{
    for (const KitControl& c : controls) {
        if (!c.id.isEmpty() && c.id == id)
            return &c;
    }
    return nullptr;
}

const KitControl* KitForm::tabs() const
{
    for (const KitControl& c : controls) {
        if (c.type == u"tabs"_s)
            return &c;
    }
    return nullptr;
}

QString KitCatalog::normalizeShortcut(const QString& shortcut)
{
    QStringList parts = shortcut.split(u'+', Qt::SkipEmptyParts);
    if (parts.isEmpty())
        return {};
    QString key = parts.takeLast().trimmed();
    if (key.size() == 1)
        key = key.toUpper();
    bool ctrl = false, shift = false, alt = false;
    for (const QString& p : std::as_const(parts)) {
        const QString m = p.trimmed().toLower();
        ctrl |= m == u"ctrl"_s;
        shift |= m == u"shift"_s;
        alt |= m == u"alt"_s;
    }
    QString out;
    if (ctrl)
        out += u"Ctrl+"_s;
    if (shift)
        out += u"Shift+"_s;
    if (alt)
        out += u"Alt+"_s;
    return out + key;
}

Result<KitCatalog> KitCatalog::parse(const QByteArray& json)
{
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return Result<KitCatalog>::failure(
            u"kit: %1 (offset %2)"_s.arg(error.errorString()).arg(error.offset));
    const QJsonObject root = doc.object();
    KitCatalog kit;
    for (const QJsonValue& v : root[u"menus"_s].toArray()) {
        const QJsonObject m = v.toObject();
        kit.m_menus.push_back({m[u"title"_s].toString(), readMenuItems(m[u"items"_s].toArray())});
    }
    const QJsonObject toolbars = root[u"toolbars"_s].toObject();
    QStringList order{u"常用"_s, u"格式"_s, u"绘图"_s};
    for (const QString& name : toolbars.keys()) {
        if (!order.contains(name))
            order << name;
    }
    for (const QString& name : std::as_const(order)) {
        if (!toolbars.contains(name))
            continue;
        std::vector<KitButton> buttons;
        for (const QJsonValue& v : toolbars[name].toArray()) {
            const QJsonObject b = v.toObject();
            KitButton button;
            button.separator = b[u"separator"_s].toBool();
            button.name = b[u"name"_s].toString();
            button.icon = b[u"icon"_s].toString();
            button.type = b[u"type"_s].toString();
            button.text = b[u"text"_s].toString();
            button.value = b[u"value"_s].toString();
            button.opens = b[u"opens"_s].toString();
            button.shiftOpens = b[u"shiftOpens"_s].toString();
            button.width = b[u"width"_s].toInt();
            button.items = readMenuItems(b[u"items"_s].toArray());
            if (button.type == u"combo"_s) {
                for (const QJsonValue& v : b[u"items"_s].toArray())
                    button.values << v.toString();
                button.items.clear();
            }
            button.editable = b[u"editable"_s].toBool();
            buttons.push_back(button);
        }
        kit.m_toolbars.emplace_back(name, buttons);
    }
    const QJsonObject contexts = root[u"contextmenus"_s].toObject();
    for (auto it = contexts.begin(); it != contexts.end(); ++it)
        kit.m_contextMenus[it.key()] = readMenuItems(it.value().toArray());
    for (const QJsonValue& v : root[u"keys"_s].toArray()) {
        const QJsonObject k = v.toObject();
        kit.m_keys.push_back(
            {normalizeShortcut(k[u"key"_s].toString()), k[u"name"_s].toString(), k[u"opens"_s].toString()});
    }
    const QJsonObject panes = root[u"taskpanes"_s].toObject();
    for (auto it = panes.begin(); it != panes.end(); ++it)
        kit.m_taskPanes[it.key()] = readForm(it.key(), it.value().toObject(), false);
    const QJsonObject dialogs = root[u"dialogs"_s].toObject();
    for (auto it = dialogs.begin(); it != dialogs.end(); ++it)
        kit.m_dialogs[it.key()] = readForm(it.key(), it.value().toObject(), true);
    // A dialog "like" another has its pages and controls under its own title
    // (设置占位符格式 is 设置自选图形格式 for a placeholder).
    for (auto it = dialogs.begin(); it != dialogs.end(); ++it) {
        const QString like = it.value().toObject()[u"like"_s].toString();
        if (like.isEmpty())
            continue;
        auto model = kit.m_dialogs.find(like);
        if (model == kit.m_dialogs.end())
            return Result<KitCatalog>::failure(u"kit: 对话框“%1”仿照的“%2”不存在"_s.arg(it.key(), like));
        KitForm& form = kit.m_dialogs[it.key()];
        form.controls = model->second.controls;
        form.width = model->second.width;
        form.height = model->second.height;
    }
    return kit;
}

const KitCatalog& KitCatalog::instance()
{
    static const KitCatalog kit = [] {
        QFile file(u":/kit/kit.json"_s);
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "the PowerPoint kit is missing from this build\n");
            std::abort();
        }
        auto parsed = parse(file.readAll());
        if (!parsed) {
            std::fprintf(stderr, "%s\n", parsed.error().toUtf8().constData());
            std::abort();
        }
        return parsed.value();
    }();
    return kit;
}

const std::vector<KitMenuItem>* KitCatalog::contextMenu(const QString& area) const
{
    auto it = m_contextMenus.find(area);
    return it == m_contextMenus.end() ? nullptr : &it->second;
}

const KitForm* KitCatalog::taskPane(const QString& name) const
{
    auto it = m_taskPanes.find(name);
    return it == m_taskPanes.end() ? nullptr : &it->second;
}

const KitForm* KitCatalog::dialog(const QString& name) const
{
    auto it = m_dialogs.find(name);
    return it == m_dialogs.end() ? nullptr : &it->second;
}

const KitKey* KitCatalog::key(const QString& shortcut) const
{
    const QString wanted = normalizeShortcut(shortcut);
    for (const KitKey& k : m_keys) {
        if (k.key == wanted)
            return &k;
    }
    return nullptr;
}

const KitButton* KitCatalog::toolbarButton(const QString& name) const
{
    for (const auto& [bar, buttons] : m_toolbars) {
        for (const KitButton& b : buttons) {
            if (!b.separator && b.name == name)
                return &b;
        }
    }
    return nullptr;
}

QStringList KitCatalog::taskPaneNames() const
{
    QStringList names;
    for (const auto& [name, form] : m_taskPanes)
        names << name;
    return names;
}

Result<KitTarget> KitCatalog::resolve(const QString& action) const
{
    using R = Result<KitTarget>;
    const qsizetype colon = action.indexOf(u':');
    if (colon <= 0)
        return R::failure(u"“%1”不是操作"_s.arg(action));
    const QString kind = action.left(colon);
    const QString rest = action.mid(colon + 1);
    KitTarget t;

    if (kind == u"menu"_s || kind == u"context"_s) {
        QStringList path = rest.split(u'/');
        const std::vector<KitMenuItem>* items = nullptr;
        if (kind == u"menu"_s) {
            t.kind = KitTarget::Menu;
            for (const KitMenu& m : m_menus) {
                if (m.title == path.value(0))
                    items = &m.items;
            }
            if (!items)
                return R::failure(u"没有菜单“%1”"_s.arg(path.value(0)));
        } else {
            t.kind = KitTarget::Context;
            t.area = path.value(0);
            items = contextMenu(t.area);
            if (!items)
                return R::failure(u"没有“%1”处的快捷菜单"_s.arg(t.area));
        }
        if (path.size() < 2)
            return R::failure(u"“%1”没有指出命令"_s.arg(action));
        const KitMenuItem* item = nullptr;
        for (qsizetype i = 1; i < path.size(); ++i) {
            item = findItem(*items, path[i]);
            if (!item)
                return R::failure(u"“%1”中没有“%2”"_s.arg(path.mid(0, i).join(u'/'), path[i]));
            items = &item->items;
        }
        if (!item->items.empty())
            return R::failure(u"“%1”是子菜单，不是命令"_s.arg(action));
        if (item->disabled)
            return R::failure(u"“%1”不可用"_s.arg(action));
        t.path = path;
        t.opens = item->opens;
        t.views = item->views;
        return t;
    }
    if (kind == u"toolbar"_s) {
        // "toolbar:<button>", "toolbar:<button>/<menu item>…" or "toolbar:<drop-down box>=<value>"
        const qsizetype eq = rest.indexOf(u'=');
        const QString head = eq < 0 ? rest : rest.left(eq);
        QStringList path = head.split(u'/');
        if (path.size() == 1 && eq < 0 && head.startsWith(u"Shift+"_s)) {
            // A click with Shift held: the view buttons open the masters and 设置放映方式.
            const KitButton* b = toolbarButton(head.mid(6));
            if (!b || b->shiftOpens.isEmpty())
                return R::failure(u"工具栏上没有按住 Shift 单击的“%1”"_s.arg(head.mid(6)));
            t.kind = KitTarget::Toolbar;
            t.path = path;
            t.opens = b->shiftOpens;
            return t;
        }
        const KitButton* b = toolbarButton(path.first());
        if (!b)
            return R::failure(u"工具栏上没有“%1”"_s.arg(path.first()));
        t.kind = KitTarget::Toolbar;
        t.path = path;
        if (eq >= 0) {
            t.hasValue = true;
            t.value = rest.mid(eq + 1);
            if (b->type != u"combo"_s || path.size() != 1)
                return R::failure(u"“%1”不是下拉框"_s.arg(path.first()));
            if (!b->editable && !b->values.contains(t.value))
                return R::failure(u"“%1”中没有“%2”"_s.arg(path.first(), t.value));
            return t;
        }
        if (b->type == u"combo"_s)
            return R::failure(u"下拉框“%1”需要一个值（=…）"_s.arg(path.first()));
        if (path.size() == 1) {
            t.opens = b->opens;
            return t;
        }
        const std::vector<KitMenuItem>* items = &b->items;
        const KitMenuItem* item = nullptr;
        for (qsizetype i = 1; i < path.size(); ++i) {
            item = findItem(*items, path[i]);
            if (!item)
                return R::failure(u"“%1”中没有“%2”"_s.arg(path.mid(0, i).join(u'/'), path[i]));
            items = &item->items;
        }
        if (!item->items.empty())
            return R::failure(u"“%1”是子菜单，不是命令"_s.arg(action));
        t.kind = KitTarget::ToolbarMenu;
        t.opens = item->opens;
        return t;
    }
    if (kind == u"key"_s) {
        const KitKey* k = key(rest);
        if (!k)
            return R::failure(u"没有快捷键“%1”"_s.arg(rest));
        t.kind = KitTarget::Key;
        t.path = {k->key};
        t.opens = k->opens;
        return t;
    }
    if (kind == u"thumb"_s) {
        bool ok = false;
        t.slide = rest.toInt(&ok);
        if (!ok || t.slide < 1)
            return R::failure(u"“%1”没有指出幻灯片"_s.arg(action));
        t.kind = KitTarget::Thumb;
        return t;
    }
    if (kind == u"click"_s || kind == u"dblclick"_s) {
        static const QStringList areas{u"title"_s, u"body"_s, u"subtitle"_s, u"slide"_s, u"notes"_s};
        const bool thumb = rest.startsWith(u"thumb:"_s) && rest.mid(6).toInt() > 0;
        const bool shape = rest.startsWith(u"shape:"_s) && rest.mid(6).toInt() > 0;
        if (kind == u"click"_s && rest.startsWith(u"outline:"_s)) {
            const ActionTarget at = actionTarget(action);
            if (at.malformed)
                return R::failure(u"“%1”没有指出大纲中的段落"_s.arg(action));
            t.kind = KitTarget::Click;
            t.area = rest;
            t.slide = at.slide;
            t.paragraph = at.paragraph;
            return t;
        }
        // dblclick:frame:<placeholder>: the border of a placeholder.
        const bool frame = kind == u"dblclick"_s && rest.startsWith(u"frame:"_s) &&
                           QStringList{u"title"_s, u"body"_s, u"subtitle"_s}.contains(rest.mid(6));
        if (!thumb && !shape && !frame && !areas.contains(rest))
            return R::failure(u"“%1”不是可单击的位置"_s.arg(rest));
        t.kind = kind == u"click"_s ? KitTarget::Click : KitTarget::DoubleClick;
        t.area = rest;
        if (thumb)
            t.slide = rest.mid(6).toInt();
        if (shape)
            t.shape = rest.mid(6).toInt();
        return t;
    }
    if (kind == u"taskpane"_s || kind == u"dialog"_s) {
        const qsizetype slash = rest.indexOf(u'/');
        if (slash <= 0)
            return R::failure(u"“%1”没有指出控件"_s.arg(action));
        t.form = rest.left(slash);
        const QString spec = rest.mid(slash + 1);
        const KitForm* form = kind == u"dialog"_s ? dialog(t.form) : taskPane(t.form);
        if (!form)
            return R::failure(u"没有%1“%2”"_s.arg(kind == u"dialog"_s ? u"对话框"_s : u"任务窗格"_s, t.form));
        t.kind = kind == u"dialog"_s ? KitTarget::Dialog : KitTarget::TaskPane;
        const qsizetype eq = spec.indexOf(u'=');
        const QString id = eq < 0 ? spec : spec.left(eq);
        t.control = form->control(id);
        if (!t.control)
            return R::failure(u"“%1”中没有控件“%2”"_s.arg(t.form, id));
        t.path = {t.form, id};
        const QString type = t.control->type;
        if (eq < 0) {
            if (type != u"button"_s && type != u"link"_s)
                return R::failure(u"“%1”的“%2”需要一个值（=…）"_s.arg(t.form, id));
            t.opens = t.control->opens;
            if (t.opens.isEmpty() && form->dialog && (id == u"确定"_s || id == u"取消"_s || id == u"关闭"_s))
                t.opens = u"close"_s;
            return t;
        }
        t.hasValue = true;
        t.value = spec.mid(eq + 1);
        if (auto it = t.control->itemOpens.find(t.value); it != t.control->itemOpens.end())
            t.opens = it->second;
        if (type == u"check"_s) {
            if (t.value != u"on"_s && t.value != u"off"_s)
                return R::failure(u"复选框“%1”的值只能是 on 或 off"_s.arg(id));
        } else if (type == u"spin"_s) {
            if (!isNumber(t.value))
                return R::failure(u"“%1”的值应为数字"_s.arg(id));
        } else if (type == u"list"_s || type == u"options"_s || type == u"gallery"_s || type == u"tabs"_s ||
                   (type == u"combo"_s && !t.control->editable)) {
            if (!t.control->items.contains(t.value) || t.control->headers.contains(t.value))
                return R::failure(u"“%1”中没有“%2”"_s.arg(id, t.value));
        } else if (type != u"text"_s && type != u"combo"_s) {
            return R::failure(u"“%1”不能取值"_s.arg(id));
        }
        return t;
    }
    return R::failure(u"“%1”不是操作"_s.arg(action));
}

} // namespace pptdrill

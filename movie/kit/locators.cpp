#include "movie/kit/locators.h"

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

QString withValue(const QString& head, const QString& value)
{
    return head + u'=' + value;
}

// A positive whole number, or 0.
int positive(const QString& text)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    return ok && n > 0 ? n : 0;
}

} // namespace

namespace actions {

QString menu(const QStringList& path)
{
    return u"menu:"_s + path.join(u'/');
}

QString context(const QString& area, const QStringList& items)
{
    return u"context:"_s + area + u'/' + items.join(u'/');
}

QString toolbar(const QString& button)
{
    return u"toolbar:"_s + button;
}

QString toolbarMenu(const QStringList& path)
{
    return u"toolbar:"_s + path.join(u'/');
}

QString toolbarValue(const QString& box, const QString& value)
{
    return withValue(u"toolbar:"_s + box, value);
}

QString shiftClick(const QString& button)
{
    return u"toolbar:Shift+"_s + button;
}

QString key(const QString& shortcut)
{
    return u"key:"_s + shortcut;
}

QString thumb(int slide)
{
    return targets::thumb(slide);
}

QString thumbWithCtrl(int slide)
{
    return u"thumb:Ctrl+"_s + QString::number(slide);
}

QString thumbWithShift(int slide)
{
    return u"thumb:Shift+"_s + QString::number(slide);
}

QString dragThumb(int slide, int after)
{
    return u"thumb:%1>%2"_s.arg(slide).arg(after);
}

QString click(const QString& target)
{
    return u"click:"_s + target;
}

QString type(const QString& target, const QString& text)
{
    return u"type:"_s + target + u'=' + text;
}

QString draw()
{
    return u"draw:slide"_s;
}

QString doubleClick(const QString& target)
{
    return u"dblclick:"_s + target;
}

QString clickAdding(const QString& modifier, int shape)
{
    return u"click:"_s + modifier + u'+' + targets::shape(shape);
}

QString control(bool dialog, const QString& form, const QString& id)
{
    return (dialog ? u"dialog:"_s : u"taskpane:"_s) + form + u'/' + id;
}

QString control(bool dialog, const QString& form, const QString& id, const QString& value)
{
    return withValue(control(dialog, form, id), value);
}

QString dialog(const QString& dialog, const QString& id)
{
    return control(true, dialog, id);
}

QString dialog(const QString& dialog, const QString& id, const QString& value)
{
    return control(true, dialog, id, value);
}

QString taskPane(const QString& pane, const QString& id)
{
    return control(false, pane, id);
}

QString taskPane(const QString& pane, const QString& id, const QString& value)
{
    return control(false, pane, id, value);
}

} // namespace actions

namespace targets {

QString thumb(int slide)
{
    return u"thumb:"_s + QString::number(slide);
}

QString shape(int shape)
{
    return u"shape:"_s + QString::number(shape);
}

QString outline(int slide, int paragraph)
{
    return u"outline:%1/%2"_s.arg(slide).arg(paragraph);
}

QString frame(const QString& placeholder)
{
    return u"frame:"_s + placeholder;
}

} // namespace targets

namespace {

// "<head>=<value>": the head, and the value when there is an "=".
void readValue(ActionParts& a, const QString& text, QString& head)
{
    const qsizetype eq = text.indexOf(u'=');
    head = eq < 0 ? text : text.left(eq);
    a.hasValue = eq >= 0;
    a.value = eq < 0 ? QString() : text.mid(eq + 1);
}

void readToolbarAction(ActionParts& a, const QString& rest)
{
    QString head;
    readValue(a, rest, head);
    a.path = head.split(u'/');
    if (a.path.size() == 1 && !a.hasValue && head.startsWith(u"Shift+"_s)) {
        a.shift = true;
        a.path = QStringList{head.mid(6)};
    }
}

// thumb:n, thumb:Ctrl+n, thumb:Shift+n, and thumb:n>m (dragged to after slide m).
void readThumbAction(ActionParts& a, const QString& rest)
{
    a.ctrl = rest.startsWith(u"Ctrl+"_s);
    a.shift = rest.startsWith(u"Shift+"_s);
    const QString slide = a.ctrl ? rest.mid(5) : a.shift ? rest.mid(6) : rest;
    if (const qsizetype arrow = slide.indexOf(u'>'); arrow > 0 && !a.ctrl && !a.shift) {
        a.slide = positive(slide.left(arrow));
        bool ok = false;
        a.dropAfter = slide.mid(arrow + 1).toInt(&ok);
        if (!ok || a.dropAfter < 0)
            a.slide = 0;
    } else {
        a.slide = positive(slide);
    }
    a.malformed = a.slide == 0;
}

// What a click lands on: a thumbnail, a shape, an outline's paragraph, a frame or a placeholder.
void readClickTarget(ActionParts& a, const QString& target)
{
    if (target.startsWith(u"thumb:"_s)) {
        a.slide = positive(target.mid(6));
        a.malformed = a.slide == 0;
    } else if (target.startsWith(u"shape:"_s)) {
        a.shape = positive(target.mid(6));
        a.malformed = a.shape == 0;
    } else if (target.startsWith(u"outline:"_s)) {
        const QStringList parts = target.mid(8).split(u'/');
        a.slide = positive(parts.value(0));
        a.paragraph = positive(parts.value(1));
        if (parts.size() != 2 || a.slide == 0 || a.paragraph == 0) {
            a.slide = a.paragraph = 0;
            a.malformed = true;
        }
    } else if (target.startsWith(u"frame:"_s)) {
        a.frame = true;
        a.placeholder = target.mid(6);
    } else {
        a.placeholder = target;
    }
}

void readClickAction(ActionParts& a, const QString& rest)
{
    QString target = rest;
    if (a.kind == ActionParts::Click && (target.startsWith(u"Shift+"_s) || target.startsWith(u"Ctrl+"_s))) {
        a.shift = target.startsWith(u"Shift+"_s);
        a.ctrl = !a.shift;
        target = target.mid(target.indexOf(u'+') + 1);
    }
    a.target = target;
    readClickTarget(a, target);
}

void readTypeAction(ActionParts& a, const QString& rest)
{
    readValue(a, rest, a.target);
    if (a.target.startsWith(u"shape:"_s)) {
        a.shape = positive(a.target.mid(6));
        a.malformed = a.shape == 0;
    } else {
        a.placeholder = a.target;
    }
}

// taskpane:<pane>/<control>=<value> and dialog:<dialog>/<control>=<value>.
void readFormAction(ActionParts& a, const QString& rest)
{
    const qsizetype slash = rest.indexOf(u'/');
    const QString spec = slash < 0 ? QString() : rest.mid(slash + 1);
    const qsizetype eq = spec.indexOf(u'=');
    a.path = QStringList{slash < 0 ? rest : rest.left(slash)};
    if (slash >= 0)
        a.path << (eq < 0 ? spec : spec.left(eq));
    a.hasValue = eq >= 0;
    a.value = eq < 0 ? QString() : spec.mid(eq + 1);
}

} // namespace

ActionParts parseAction(const QString& action)
{
    using K = ActionParts::Kind;
    static const std::pair<QString, K> kinds[] = {
        {u"menu"_s, K::Menu},
        {u"context"_s, K::Context},
        {u"toolbar"_s, K::Toolbar},
        {u"key"_s, K::Key},
        {u"thumb"_s, K::Thumb},
        {u"click"_s, K::Click},
        {u"dblclick"_s, K::DoubleClick},
        {u"type"_s, K::Type},
        {u"draw"_s, K::Draw},
        {u"taskpane"_s, K::TaskPane},
        {u"dialog"_s, K::Dialog},
    };
    ActionParts a;
    const qsizetype colon = action.indexOf(u':');
    if (colon <= 0)
        return a;
    const QString kind = action.left(colon);
    const QString rest = action.mid(colon + 1);
    for (const auto& [name, k] : kinds) {
        if (name == kind)
            a.kind = k;
    }
    switch (a.kind) {
    case K::None:
        break;
    case K::Menu:
    case K::Context:
        a.path = rest.split(u'/');
        break;
    case K::Toolbar:
        readToolbarAction(a, rest);
        break;
    case K::Key:
        a.shortcut = rest;
        break;
    case K::Thumb:
        readThumbAction(a, rest);
        break;
    case K::Click:
    case K::DoubleClick:
        readClickAction(a, rest);
        break;
    case K::Type:
        readTypeAction(a, rest);
        break;
    case K::Draw:
        a.target = rest;
        a.placeholder = rest;
        break;
    case K::TaskPane:
    case K::Dialog:
        readFormAction(a, rest);
        break;
    }
    return a;
}

namespace locators {

QString menuTitle(const QString& title)
{
    return u"menutitle:"_s + title;
}

QString menuItem(const QStringList& path)
{
    return u"menuitem:"_s + path.join(u'/');
}

QString contextItem(const QStringList& items)
{
    return u"ctxitem:"_s + items.join(u'/');
}

QString toolbarItem(const QStringList& path)
{
    return u"tbitem:"_s + path.join(u'/');
}

QString paneItem(const QStringList& path)
{
    return u"paneitem:"_s + path.join(u'/');
}

QString menuScroll(bool up, int level)
{
    return (up ? u"menuscroll:up:"_s : u"menuscroll:down:"_s) + QString::number(level);
}

QString button(const QString& name)
{
    return u"tb:"_s + name;
}

QString buttonArrow(const QString& name)
{
    return u"tbarrow:"_s + name;
}

QString thumb(int slide)
{
    return targets::thumb(slide);
}

QString outline(int slide, int paragraph)
{
    return targets::outline(slide, paragraph);
}

QString slideArea()
{
    return u"area:slide"_s;
}

QString slideEmpty()
{
    return u"area:slideempty"_s;
}

QString placeholder(const QString& which)
{
    return u"ph:"_s + which;
}

QString frame(const QString& placeholder)
{
    return targets::frame(placeholder);
}

QString shape(int shape)
{
    return targets::shape(shape);
}

QString control(const QString& form, const QString& id)
{
    return u"ctl:"_s + form + u'/' + id;
}

QString controlArrow(const QString& form, const QString& id)
{
    return u"ctlarrow:"_s + form + u'/' + id;
}

QString item(const QString& form, const QString& id, const QString& item)
{
    return u"item:"_s + form + u'/' + id + u'/' + item;
}

QString tab(const QString& form, const QString& tab)
{
    return u"tab:"_s + form + u'/' + tab;
}

QString drop(const QString& item)
{
    return u"drop:"_s + item;
}

QString spinUp(const QString& form, const QString& id)
{
    return u"spinup:"_s + form + u'/' + id;
}

QString spinDown(const QString& form, const QString& id)
{
    return u"spindown:"_s + form + u'/' + id;
}

QString dialogClose(const QString& dialog)
{
    return u"dlgclose:"_s + dialog;
}

QString leftPaneTab(const QString& tab)
{
    return u"lefttab:"_s + tab;
}

QString paneTitle()
{
    return u"panetitle:menu"_s;
}

QString paneClose()
{
    return u"panetitle:close"_s;
}

namespace {

// A control's scroll bar: "<kind>:<form>/<id>", and the form and control read back.
QString controlBar(const QString& kind, const QString& form, const QString& id)
{
    return kind + u':' + form + u'/' + id;
}

QStringList controlOfBar(const QString& kind, const QString& bar)
{
    if (!bar.startsWith(kind + u':'))
        return {};
    const QString control = bar.mid(kind.size() + 1);
    return QStringList{control.section(u'/', 0, 0), control.section(u'/', 1)};
}

} // namespace

QString galleryBar(const QString& form, const QString& id)
{
    return controlBar(u"gallery"_s, form, id);
}

QStringList galleryOf(const QString& bar)
{
    return controlOfBar(u"gallery"_s, bar);
}

QString listBar(const QString& form, const QString& id)
{
    return controlBar(u"list"_s, form, id);
}

QStringList listOf(const QString& bar)
{
    return controlOfBar(u"list"_s, bar);
}

QString scroll(const QString& bar, const QString& part)
{
    return u"scroll:"_s + bar + u':' + part;
}

} // namespace locators

namespace {

using LocatorKind = LocatorParts::Kind;

LocatorKind locatorKind(const QString& head)
{
    using K = LocatorKind;
    static const std::pair<QString, K> kinds[] = {
        {u"menutitle"_s, K::MenuTitle}, {u"menuitem"_s, K::MenuItem},
        {u"ctxitem"_s, K::ContextItem}, {u"tbitem"_s, K::ToolbarItem},
        {u"paneitem"_s, K::PaneItem},   {u"menuscroll"_s, K::MenuScroll},
        {u"tb"_s, K::Button},           {u"tbarrow"_s, K::ButtonArrow},
        {u"thumb"_s, K::Thumb},         {u"outline"_s, K::Outline},
        {u"area"_s, K::SlideArea},      {u"ph"_s, K::Placeholder},
        {u"frame"_s, K::Frame},         {u"shape"_s, K::Shape},
        {u"ctl"_s, K::Control},         {u"ctlarrow"_s, K::ControlArrow},
        {u"item"_s, K::Item},           {u"tab"_s, K::Tab},
        {u"drop"_s, K::Drop},           {u"spinup"_s, K::SpinUp},
        {u"spindown"_s, K::SpinDown},   {u"dlgclose"_s, K::DialogClose},
        {u"lefttab"_s, K::LeftPaneTab}, {u"scroll"_s, K::Scroll},
        {u"panetitle"_s, K::PaneTitle},
    };
    K found = K::None;
    for (const auto& [name, kind] : kinds) {
        if (name == head)
            found = kind;
    }
    return found;
}

// The slide's parts: a thumbnail, a shape, an outline's paragraph, the slide's area.
void readSlideLocator(LocatorParts& l, const QString& rest)
{
    using K = LocatorKind;
    if (l.kind == K::Thumb) {
        l.slide = positive(rest);
    } else if (l.kind == K::Shape) {
        l.shape = positive(rest);
    } else if (l.kind == K::Outline) {
        l.slide = positive(rest.section(u'/', 0, 0));
        l.paragraph = positive(rest.section(u'/', 1));
    } else if (l.kind == K::SlideArea) {
        if (rest == u"slideempty"_s)
            l.kind = K::SlideEmpty;
        else if (rest != u"slide"_s)
            l.kind = K::None;
    }
}

// A form's parts: "<form>/<control>", an item of a control, a scroll bar's part.
void readFormLocator(LocatorParts& l, const QString& rest)
{
    using K = LocatorKind;
    if (l.kind == K::Item) {
        // An item may hold "/" itself ("1/2"); the form and the control do not.
        l.path = QStringList{rest.section(u'/', 0, 0), rest.section(u'/', 1, 1), rest.section(u'/', 2)};
    } else if (l.kind == K::Scroll) {
        // scroll:<bar>:<part>; a gallery's bar is "gallery:<form>/<id>".
        l.part = rest.section(u':', -1);
        l.name = rest.left(rest.size() - l.part.size() - 1);
    } else {
        const qsizetype slash = rest.indexOf(u'/');
        l.path = QStringList{rest.left(slash), slash < 0 ? QString() : rest.mid(slash + 1)};
    }
}

} // namespace

LocatorParts parseLocator(const QString& locator)
{
    using K = LocatorKind;
    LocatorParts l;
    const qsizetype colon = locator.indexOf(u':');
    if (colon <= 0)
        return l;
    const QString rest = locator.mid(colon + 1);
    l.kind = locatorKind(locator.left(colon));
    switch (l.kind) {
    case K::None:
    case K::SlideEmpty:
        break;
    case K::MenuItem:
    case K::ContextItem:
    case K::ToolbarItem:
    case K::PaneItem:
        l.path = rest.split(u'/');
        break;
    case K::MenuScroll:
        l.name = rest.section(u':', 0, 0);
        l.level = rest.section(u':', 1).toInt();
        break;
    case K::MenuTitle:
    case K::Button:
    case K::ButtonArrow:
    case K::Placeholder:
    case K::Frame:
    case K::Drop:
    case K::DialogClose:
    case K::LeftPaneTab:
    case K::PaneTitle:
        l.name = rest;
        break;
    case K::Thumb:
    case K::Shape:
    case K::Outline:
    case K::SlideArea:
        readSlideLocator(l, rest);
        break;
    case K::Control:
    case K::ControlArrow:
    case K::SpinUp:
    case K::SpinDown:
    case K::Tab:
    case K::Item:
    case K::Scroll:
        readFormLocator(l, rest);
        break;
    }
    return l;
}

} // namespace pptdrill

#include "movie/explanation.h"

#include "movie/kit/kitways.h"
#include "movie/kit/locators.h"

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

// A command's name as the learner reads it: "字体(F)..." is 字体.
QString plain(const QString& text)
{
    QString out = text.trimmed();
    if (out.endsWith(u"..."_s))
        out.chop(3);
    else if (out.endsWith(u'…'))
        out.chop(1);
    const qsizetype open = out.lastIndexOf(u'(');
    if (open > 0 && out.endsWith(u')') && out.size() - open == 3)
        out.truncate(open);
    return out.trimmed();
}

QString quoted(const QString& text)
{
    return u"“"_s + plain(text) + u"”"_s;
}

// "指向“图片”，单击“艺术字”命令": the submenus on the way, then the command.
QString throughSubmenus(const QStringList& items)
{
    QString words;
    for (qsizetype i = 0; i + 1 < items.size(); ++i)
        words += u"指向"_s + quoted(items[i]) + u"，"_s;
    return words + u"单击"_s + quoted(items.value(items.size() - 1)) + u"命令"_s;
}

// What a context menu is opened on, by the kit's name of it.
QString contextArea(const QString& area)
{
    static const std::pair<const char16_t*, const char16_t*> names[] = {
        {u"slide", u"幻灯片窗格中的幻灯片"},
        {u"thumbnail", u"左侧窗格中的幻灯片缩略图"},
        {u"text", u"选中的文本"},
        {u"sorter", u"幻灯片浏览视图中的幻灯片"},
        {u"shape", u"选中的自选图形"},
        {u"picture", u"选中的图片"},
        {u"chart", u"选中的图表"},
        {u"orgchart", u"选中的组织结构图"},
        {u"wordart", u"选中的艺术字"},
        {u"textbox", u"选中的文本框"},
        {u"table", u"选中的表格"},
        {u"show", u"放映中的幻灯片"},
        {u"movie", u"选中的影片"},
        {u"sound", u"声音图标"},
        {u"taskpanes", u"任务窗格的标题栏"},
        {u"toolbars", u"工具栏"},
    };
    for (const auto& [name, words] : names) {
        if (area == QStringView(name))
            return QString::fromUtf16(words);
    }
    return {};
}

// What a click lands on: title, body, shape:2, outline:4/3, thumb:2, frame:title.
QString clickTarget(const ActionParts& a)
{
    static const std::pair<const char16_t*, const char16_t*> placeholders[] = {
        {u"title", u"标题占位符"}, {u"body", u"正文占位符"},      {u"subtitle", u"副标题占位符"},
        {u"notes", u"备注窗格"},   {u"slide", u"幻灯片的空白处"},
    };
    if (a.target.startsWith(u"shape:"_s))
        return u"幻灯片中的第%1个对象"_s.arg(a.shape);
    if (a.target.startsWith(u"outline:"_s))
        return u"大纲中第%1张幻灯片的第%2段"_s.arg(a.slide).arg(a.paragraph);
    if (a.target.startsWith(u"thumb:"_s))
        return u"第%1张幻灯片的缩略图"_s.arg(a.slide);
    for (const auto& [name, words] : placeholders) {
        if (a.placeholder == QStringView(name))
            return a.frame ? QString::fromUtf16(words) + u"的边框"_s : QString::fromUtf16(words);
    }
    return {};
}

QString heldKeys(const ActionParts& a)
{
    return a.shift ? u"按住 Shift 键"_s : a.ctrl ? u"按住 Ctrl 键"_s : QString();
}

// The toolbar that has a button, as the window names it ("常用"); empty when none does.
QString toolbarOf(const QString& button, const KitCatalog& kit)
{
    // Graph's 常用 and 格式 come after PowerPoint's toolbars.
    for (const auto* bars : {&kit.toolbars(), &kit.graphToolbars()}) {
        for (const auto& [name, buttons] : *bars) {
            for (const KitButton& b : buttons) {
                if (!b.separator && b.name == button)
                    return name;
            }
        }
    }
    return {};
}

// A control of a dialog or task pane; `where` is “字体”对话框 or “幻灯片切换”任务窗格.
QString controlInWords(const ActionParts& a, const KitControl* control, const QString& where)
{
    // A control is named by its id, the words the window shows beside it.
    const QString name = a.path.value(1);
    const KitControlType type = control ? control->type : KitControlType::Button;
    if (!a.hasValue) {
        if (type == KitControlType::Link)
            return u"在%1中单击%2。"_s.arg(where, quoted(name));
        return u"在%1中单击%2按钮。"_s.arg(where, quoted(name));
    }
    switch (type) {
    case KitControlType::Tabs:
        return u"在%1中单击%2选项卡。"_s.arg(where, quoted(a.value));
    case KitControlType::Check:
        if (a.value == u"off"_s)
            return u"在%1中取消选中%2复选框。"_s.arg(where, quoted(name));
        return u"在%1中选中%2复选框。"_s.arg(where, quoted(name));
    case KitControlType::Options:
        return u"在%1的%2中选中%3。"_s.arg(where, quoted(name), quoted(a.value));
    case KitControlType::Text:
        return u"在%1的%2框中输入“%3”。"_s.arg(where, quoted(name), a.value);
    case KitControlType::Spin:
        return u"在%1中将%2设为“%3”。"_s.arg(where, quoted(name), a.value);
    default:
        return u"在%1的%2中选择“%3”。"_s.arg(where, quoted(name), a.value);
    }
}

// Words without a full stop get one.
QString sentence(const QString& words)
{
    const QString w = words.trimmed();
    if (w.isEmpty() || w.endsWith(u'。') || w.endsWith(u'！') || w.endsWith(u'？'))
        return w;
    return w + u'。';
}

// A menu's command, or a command of the shortcut menu of an area of the window.
QString menuInWords(const ActionParts& a)
{
    if (a.kind == ActionParts::Context) {
        const QString area = contextArea(a.path.value(0));
        if (area.isEmpty() || a.path.size() < 2)
            return {};
        return u"右击%1，在快捷菜单中%2。"_s.arg(area, throughSubmenus(a.path.mid(1)));
    }
    if (a.path.size() < 2)
        return {};
    if (a.path.size() == 2)
        return u"单击%1菜单中的%2命令。"_s.arg(quoted(a.path[0]), quoted(a.path[1]));
    return u"单击%1菜单，%2。"_s.arg(quoted(a.path[0]), throughSubmenus(a.path.mid(1)));
}

// A toolbar's button, its menu's command, or the value chosen in its box.
QString toolbarInWords(const ActionParts& a, const KitCatalog& kit)
{
    const QString button = a.path.value(0);
    if (button.isEmpty())
        return {};
    const QString toolbar = toolbarOf(button, kit);
    // The view buttons sit at the window's bottom left, on no toolbar of a name.
    const QString on = toolbar == u"视图按钮"_s ? u"窗口左下角"_s
                       : toolbar.isEmpty()      ? u"工具栏上"_s
                                                : u"“%1”工具栏上"_s.arg(toolbar);
    if (a.hasValue)
        return u"在%1的%2框中选择“%3”。"_s.arg(on, quoted(button), a.value);
    if (a.path.size() > 1)
        return u"单击%1的%2，%3。"_s.arg(on, quoted(button), throughSubmenus(a.path.mid(1)));
    return u"%1单击%2的%3按钮。"_s.arg(heldKeys(a), on, quoted(button));
}

// A slide's thumbnail clicked, or dragged to another place.
QString thumbInWords(const ActionParts& a)
{
    if (a.slide <= 0)
        return {};
    if (a.dropAfter == 0)
        return u"将第%1张幻灯片的缩略图拖到第一张幻灯片之前。"_s.arg(a.slide);
    if (a.dropAfter > 0)
        return u"将第%1张幻灯片的缩略图拖到第%2张幻灯片之后。"_s.arg(a.slide).arg(a.dropAfter);
    if (a.shift || a.ctrl)
        return u"%1单击第%2张幻灯片的缩略图。"_s.arg(heldKeys(a)).arg(a.slide);
    return u"单击左侧“幻灯片”选项卡中的第%1张幻灯片。"_s.arg(a.slide);
}

QString formInWords(const ActionParts& a, const QString& action, const KitCatalog& kit)
{
    const QString form = a.path.value(0);
    if (form.isEmpty() || a.path.value(1).isEmpty())
        return {};
    const auto target = kit.resolve(action);
    const KitControl* control = target ? target->control : nullptr;
    const QString where = quoted(form) + (a.kind == ActionParts::Dialog ? u"对话框"_s : u"任务窗格"_s);
    // A command of a pane list's menu is reached by the ▼ of the row chosen in it.
    const KitForm* pane = a.kind == ActionParts::Dialog ? nullptr : kit.taskPane(form);
    const KitControl* list = pane && control && !a.hasValue ? pane->control(control->under) : nullptr;
    if (list && list->type == KitControlType::List && !list->menu.empty())
        return u"在%1的列表中单击所选项右侧的下拉箭头，单击%2命令。"_s.arg(where, quoted(control->id));
    return controlInWords(a, control, where);
}

QString typingInWords(const ActionParts& a)
{
    if (a.value.isEmpty())
        return {};
    const QString into = a.shape > 0                      ? u"该图形"_s
                         : a.placeholder == u"notes"_s    ? u"备注窗格"_s
                         : a.placeholder == u"title"_s    ? u"标题占位符"_s
                         : a.placeholder == u"subtitle"_s ? u"副标题占位符"_s
                                                          : u"正文占位符"_s;
    return u"在%1中输入“%2”。"_s.arg(into, a.value);
}

} // namespace

QString actionInWords(const QString& action, const KitCatalog& kit)
{
    const ActionParts a = parseAction(action);
    if (a.malformed)
        return {};
    switch (a.kind) {
    case ActionParts::Menu:
    case ActionParts::Context:
        return menuInWords(a);
    case ActionParts::Toolbar:
        return toolbarInWords(a, kit);
    case ActionParts::Key:
        if (a.shortcut.isEmpty())
            return {};
        return u"按 %1 键。"_s.arg(a.shortcut);
    case ActionParts::Thumb:
        return thumbInWords(a);
    case ActionParts::Click:
    case ActionParts::DoubleClick: {
        const QString target = clickTarget(a);
        if (target.isEmpty())
            return {};
        return heldKeys(a) + (a.kind == ActionParts::Click ? u"单击"_s : u"双击"_s) + target + u"。"_s;
    }
    case ActionParts::TaskPane:
    case ActionParts::Dialog:
        return formInWords(a, action, kit);
    case ActionParts::Type:
        return typingInWords(a);
    case ActionParts::Draw:
        return u"在幻灯片上拖动鼠标画出图形（或单击得到默认大小的图形）。"_s;
    case ActionParts::None:
        break;
    }
    return {};
}

QuestionExplanation explainMovie(const Movie& movie, const KitCatalog& kit)
{
    QuestionExplanation out;
    // The player also takes a text command from its context menu: said as a way of the step.
    Movie accepted = movie;
    addContextCommands(accepted, kit);
    for (size_t i = 0; i < accepted.steps.size(); ++i) {
        const MovieStep& step = accepted.steps[i];
        const QString first = actionInWords(step.accept.value(0), kit);
        out.steps << sentence(step.hint.isEmpty() ? first : step.hint);
        QStringList said{first};
        for (qsizetype k = 1; k < step.accept.size(); ++k) {
            const QString words = actionInWords(step.accept[k], kit);
            if (words.isEmpty() || said.contains(words))
                continue;
            said << words;
            out.alternatives.push_back({static_cast<int>(i), words});
        }
    }
    std::vector<MovieWay> ways = movie.ways;
    const std::vector<MovieWay> found = kitWays(movie, kit);
    ways.insert(ways.end(), found.begin(), found.end());
    for (const MovieWay& way : ways) {
        ExplainedWay explained{way.name, way.from, way.count, {}};
        for (const MovieStep& step : way.steps) {
            const QString words =
                sentence(step.hint.isEmpty() ? actionInWords(step.accept.value(0), kit) : step.hint);
            if (!words.isEmpty())
                explained.steps << words;
        }
        if (!explained.steps.isEmpty())
            out.ways.push_back(explained);
    }
    return out;
}

QString explanationText(const QuestionExplanation& explanation)
{
    QStringList lines;
    for (qsizetype i = 0; i < explanation.steps.size(); ++i)
        lines << u"%1. %2"_s.arg(i + 1).arg(explanation.steps[i]);
    if (explanation.hasOtherWays()) {
        lines << u"其他方法："_s;
        for (const ExplainedAlternative& other : explanation.alternatives)
            lines << u"第%1步也可以：%2"_s.arg(other.step + 1).arg(other.words);
        for (const ExplainedWay& way : explanation.ways) {
            const QString run = way.count > 1 ? u"第%1～%2步"_s.arg(way.from + 1).arg(way.from + way.count)
                                              : u"第%1步"_s.arg(way.from + 1);
            const QString name = way.name.isEmpty() ? QString() : u"（%1）"_s.arg(way.name);
            QStringList steps;
            for (qsizetype k = 0; k < way.steps.size(); ++k)
                steps << u"(%1) %2"_s.arg(k + 1).arg(way.steps[k]);
            lines << u"%1也可以这样做%2：%3"_s.arg(run, name, steps.join(u' '));
        }
    }
    return lines.join(u'\n');
}

QString explanationText(const Movie& movie, const KitCatalog& kit)
{
    return explanationText(explainMovie(movie, kit));
}

} // namespace pptdrill

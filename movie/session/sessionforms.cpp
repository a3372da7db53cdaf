// The values a dialog or task pane opens with: the kit's defaults, then what the document
// holds now (the selected text's font, the object's size, the zoom, the page, the slide's
// layout, what the preview prints, the chosen effect's settings), then the values of the command
// that opened it.
#include "movie/kit/kitcatalog.h"
#include "movie/session/moviesession.h"

#include <algorithm>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

// The kit's values for a form just opened.
FormState defaultState(const KitForm& form)
{
    FormState state;
    state.name = form.name;
    for (const KitControl& c : form.controls) {
        if (c.id.isEmpty())
            continue;
        if (c.type == KitControlType::Check)
            state.values[c.id] = c.value.toBool() ? u"on"_s : u"off"_s;
        else if (c.value.isDouble())
            state.values[c.id] = QString::number(c.value.toDouble());
        else if (c.value.isString())
            state.values[c.id] = c.value.toString();
        else if (c.type == KitControlType::Tabs && !c.items.isEmpty())
            state.values[c.id] = c.items.first();
        if (c.type == KitControlType::Tabs)
            state.tab = state.values[c.id];
    }
    return state;
}

// A value a control offers, set only where it does (a box whose list lacks it keeps its own).
void setOffered(const KitForm& form, FormState& state, const QString& id, const QString& value)
{
    const KitControl* c = form.control(id);
    if (c && (c->items.isEmpty() || c->items.contains(value)))
        state.values[id] = value;
}

// The spelling checker's boxes show the first word it does not know, and what it suggests; a
// comment's box the text of the comment opened on the slide.
void fillReviewValues(const Presentation& p, FormState& state)
{
    const std::vector<SpellingError>& errors = p.spelling.errors;
    const Slide& slide = p.slides[static_cast<size_t>(p.selected - 1)];
    const auto open = std::find_if(slide.comments.begin(), slide.comments.end(),
                                   [](const SlideComment& c) { return c.open; });
    for (auto& [id, value] : state.values) {
        if (value == u"@comment"_s)
            value = open == slide.comments.end() ? QString() : open->text;
        else if (value == u"@misspelled"_s)
            value = errors.empty() ? QString() : errors.front().word;
        else if (value == u"@suggestion"_s)
            value = errors.empty() ? QString() : errors.front().suggestions.value(0);
    }
}

// 字体 opens at the size the 格式 toolbar shows for the text, and with the text's own font.
void fillFontValues(const MovieSession& session, const KitForm& form, FormState& state)
{
    if (form.name != u"字体"_s)
        return;
    setOffered(form, state, u"字号"_s, session.toolbarValue(u"字号"_s));
    const std::optional<SlideFont> font = session.selectedTextFont();
    if (!font)
        return;
    setOffered(form, state, u"中文字体"_s, font->family);
    const bool bold = font->bold.value_or(false);
    const bool italic = font->italic.value_or(false);
    state.values[u"字形"_s] = bold && italic ? u"加粗 倾斜"_s
                              : bold         ? u"加粗"_s
                              : italic       ? u"倾斜"_s
                                             : u"常规"_s;
    const auto tick = [](const std::optional<bool>& on) { return on.value_or(false) ? u"on"_s : u"off"_s; };
    state.values[u"下划线(U)"_s] = tick(font->underline);
    state.values[u"阴影(A)"_s] = tick(font->shadow);
    state.values[u"阳文(E)"_s] = tick(font->emboss);
}

// The format dialogs open at the selected object's own size, and a picture or text box with no fill
// or line of its own shows none.
void fillObjectValues(const MovieSession& session, const KitForm& form, FormState& state)
{
    const QList<int> shapes = session.selectedShapes();
    if (shapes.size() != 1 || !form.control(u"锁定纵横比(A)"_s))
        return;
    const SlideShape& shape = session.selectedSlide().shapes[static_cast<size_t>(shapes.first() - 1)];
    constexpr double pointsPerCentimetre = 72 / 2.54;
    const auto centimetres = [](double points) {
        return QString::number(std::round(points / pointsPerCentimetre * 100) / 100);
    };
    state.values[u"高度"_s] = centimetres(shape.h);
    state.values[u"宽度"_s] = centimetres(shape.w);
    // A picture and a text box have neither fill nor line until they are given one.
    if (const QString kind = kindOfShape(shape.type); kind == u"picture"_s || kind == u"textbox"_s) {
        if (shape.fill.isEmpty())
            state.values[u"填充颜色"_s] = u"无填充颜色"_s;
        if (shape.line.isEmpty())
            state.values[u"线条颜色"_s] = u"无线条颜色"_s;
    }
}

void markSlideLayout(const Presentation& p, const KitForm& form, FormState& state)
{
    if (form.name == u"幻灯片版式"_s)
        setOffered(form, state, u"版式"_s, p.slides[static_cast<size_t>(p.selected - 1)].layout);
}

// 显示比例 opens at the zoom of the view (the one the window fits the slide at, where the view is
// fitted), 页面设置 at the page as it is, 幻灯片版式 with the selected slide's layout marked.
void fillWindowValues(const Presentation& p, int fittedZoom, const KitForm& form, FormState& state)
{
    if (form.name == u"显示比例"_s) {
        const WindowOptions& w = p.window;
        const bool sorter = p.view.is(ViewKind::Sorter);
        const int zoom = sorter                       ? (w.sorterZoom > 0 ? w.sorterZoom : kSorterOwnZoom)
                         : p.view.is(ViewKind::Notes) ? w.notesZoom
                                                      : w.zoom;
        if (zoom > 0) {
            state.values[u"百分比"_s] = QString::number(zoom);
            const QString preset = u"%1%"_s.arg(zoom);
            const KitControl* choice = form.control(u"显示比例"_s);
            state.values[u"显示比例"_s] = choice && choice->items.contains(preset) ? preset : QString();
        } else {
            setOffered(form, state, u"显示比例"_s, u"适应(F)"_s);
            if (fittedZoom > 0)
                state.values[u"百分比"_s] = QString::number(fittedZoom);
        }
    } else if (form.name == u"页面设置"_s) {
        const PageSetup& page = p.page;
        state.values[u"宽度"_s] = QString::number(page.width);
        state.values[u"高度"_s] = QString::number(page.height);
        state.values[u"幻灯片编号起始值"_s] = QString::number(page.firstNumber);
        state.values[u"幻灯片方向"_s] = page.height > page.width ? u"纵向(P)"_s : u"横向(L)"_s;
        state.values[u"备注方向"_s] = page.notesLandscape ? u"横向(A)"_s : u"纵向(O)"_s;
        if (!(page.width == PageSetup{}.width && page.height == PageSetup{}.height))
            setOffered(form, state, u"幻灯片大小"_s, u"自定义"_s);
    }
    markSlideLayout(p, form, state);
}

// 打印 opened from the preview prints what the preview shows.
void fillPrintValues(const Presentation& p, const KitForm& form, FormState& state)
{
    if (form.name != u"打印"_s || !p.view.is(ViewKind::PrintPreview))
        return;
    const PrintPreview& preview = p.printPreview;
    const int perPage = handoutSlidesPerPage(preview.what);
    state.values[u"打印内容"_s] = perPage > 0 ? u"讲义"_s : preview.what;
    if (perPage > 0)
        state.values[u"每页幻灯片数"_s] = QString::number(perPage);
    state.values[u"颜色/灰度"_s] = preview.color;
    state.values[u"幻灯片加框(M)"_s] = preview.frame ? u"on"_s : u"off"_s;
    state.values[u"根据纸张调整大小(F)"_s] = preview.fit ? u"on"_s : u"off"_s;
    state.values[u"打印隐藏幻灯片(H)"_s] = preview.hidden ? u"on"_s : u"off"_s;
}

// The dialog of an effect (效果选项, titled by the effect) opens at the settings of the effect
// chosen in the pane's list, else of the slide's first: each control that shows a field of it.
void fillEffectValues(const MovieSession& session, const KitForm& form, FormState& state)
{
    const Slide& slide = session.selectedSlide();
    if (!form.title.contains(u"{effect}"_s) || slide.effects.empty())
        return;
    const SlideEffect& effect = slide.effects[static_cast<size_t>(std::max(session.chosenEffect(), 0))];
    const bool onText = effectOnText(effect, slide);
    for (size_t i = 0; i < form.controls.size(); ++i) {
        const KitControl& c = form.controls[i];
        if (c.effectField.isEmpty())
            continue;
        // The caption that stands before a box goes and greys with it.
        const KitControl* caption = i > 0 && form.controls[i - 1].type == KitControlType::Label &&
                                            form.controls[i - 1].id.isEmpty() &&
                                            form.controls[i - 1].tab == c.tab
                                        ? &form.controls[i - 1]
                                        : nullptr;
        const KitControl* table = effectFieldTable(session.kit(), c.effectField);
        if (table && table->forEffects && !table->forEffects->contains(effect.effect)) {
            state.hidden << c.id;
            if (caption)
                state.hidden << caption->text;
            continue;
        }
        if (!onText && c.effectField == u"textGrouping"_s && !c.tab.isEmpty()) {
            // Text's grouping has no page for a picture's effect.
            state.hidden << c.tab;
        } else if (!onText && c.effectField == u"animateText"_s) {
            // How text is sent is greyed, with what follows it on its page (字母之间延迟).
            if (caption)
                state.greyed << caption->text;
            for (size_t j = i; j < form.controls.size() && form.controls[j].tab == c.tab; ++j)
                state.greyed << (form.controls[j].id.isEmpty() ? form.controls[j].text : form.controls[j].id);
        }
        const QStringList items = session.itemsOf(c, state);
        const QString shown = effectFieldShown(c, items, effect, slide);
        if (!shown.isEmpty())
            state.values[c.id] = shown;
        else if (table && !items.isEmpty() && !items.contains(state.value(c.id)))
            state.values[c.id] = items.value(0); // the effect's own first (棋盘's 跨越)
        // A control shown once a button is pressed (触发器(T)'s) opens shown where the effect sets it.
        if (!c.after.isEmpty() && !effectFieldText(effect, c.effectField, slide).isEmpty() &&
            !state.pressed.contains(c.after))
            state.pressed << c.after;
    }
}

} // namespace

FormState MovieSession::openForm(const KitForm& form, const QString& command) const
{
    FormState state = defaultState(form);
    // The notes page and the handout and notes masters open 页眉和页脚 on the tab for their pages.
    const WindowView& view = m_presentation.view;
    const bool printedPage =
        view.is(ViewKind::Notes) || view.is(ViewKind::NotesMaster) || view.is(ViewKind::HandoutMaster);
    if (const KitControl* tabs = form.tabs(); tabs && printedPage && tabs->items.contains(u"备注和讲义"_s)) {
        state.values[tabs->id] = u"备注和讲义"_s;
        state.tab = state.values[tabs->id];
    }
    for (const KitControl& c : form.controls) {
        if (auto fixed = fixedValue(c, state))
            state.values[c.id] = *fixed;
    }
    fillReviewValues(m_presentation, state);
    fillFontValues(*this, form, state);
    fillObjectValues(*this, form, state);
    fillWindowValues(m_presentation, m_fittedZoom, form, state);
    fillPrintValues(m_presentation, form, state);
    fillEffectValues(*this, form, state);
    // Opened on a WordArt (a double-click, 编辑文字), its text box holds the WordArt's text; from
    // 艺术字库's 确定 it holds the kit's prompt for a new one.
    if (const KitControl* text = form.control(u"文字"_s);
        text && text->type == KitControlType::Text && command != u"确定"_s && selectionKind() == u"wordart"_s)
        state.values[text->id] = objectText(selectedSlide(), selectedObject());
    if (auto preset = form.presets.find(command); !command.isEmpty() && preset != form.presets.end()) {
        for (const auto& [id, value] : preset->second) {
            state.values[id] = value;
            if (const KitControl* c = form.control(id); c && c->type == KitControlType::Tabs)
                state.tab = value;
        }
    }
    return state;
}

void MovieSession::followSlideLayout()
{
    if (const KitForm* pane = m_kit->taskPane(m_taskPane.name))
        markSlideLayout(m_presentation, *pane, m_taskPane);
}

} // namespace pptdrill

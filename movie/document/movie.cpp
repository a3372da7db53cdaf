#include "movie/document/movie.h"

#include "movie/document/jsonlines.h"
#include "movie/document/moviereading.h"
#include "movie/kit/locators.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRectF>
#include <QRegularExpression>
#include <algorithm>
#include <array>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

using namespace reading;

Check reading::mergeFields(Slide& slide, const QJsonObject& fields, const QString& where)
{
    Check fault;
    std::optional<bool> hidden;
    std::optional<bool> collapsed;
    if ((fault = readString(fields, u"layout"_s, slide.layout, where)) ||
        (fault = readString(fields, u"title"_s, slide.title, where)) ||
        (fault = readString(fields, u"subtitle"_s, slide.subtitle, where)) ||
        (fault = readString(fields, u"notes"_s, slide.notes, where)) ||
        (fault = readColor(fields, u"background"_s, slide.background, where)) ||
        (fault = readBool(fields, u"hidden"_s, hidden, where)) ||
        (fault = readBool(fields, u"collapsed"_s, collapsed, where)) ||
        (fault = readTransition(fields, slide.transition, where)) ||
        (fault = readString(fields, u"animation"_s, slide.animation, where)) ||
        (fault = readEffects(fields, slide.effects, where)) ||
        (fault = readFont(fields, u"titleFont"_s, slide.titleFont, where)) ||
        (fault = readFont(fields, u"bodyFont"_s, slide.bodyFont, where)) ||
        (fault = readFont(fields, u"notesFont"_s, slide.notesFont, where)) ||
        (fault = readString(fields, u"foundText"_s, slide.foundText, where)) ||
        (fault = readShapes(fields, slide.shapes, where)) ||
        (fault = readTextResults(fields, slide, where)) || (fault = readComments(fields, slide, where)))
        return fault;
    // A background colour given alone takes the place of a fill effect.
    if (fields.contains(u"background"_s) && !fields.contains(u"fill"_s))
        slide.fill = {};
    if ((fault = readBackgroundFill(fields, slide.fill, where)) ||
        (fault = readScheme(fields, slide.scheme, where)))
        return fault;
    std::optional<bool> ignoreMasterGraphics;
    if ((fault = readBool(fields, u"ignoreMasterGraphics"_s, ignoreMasterGraphics, where)))
        return fault;
    if (ignoreMasterGraphics)
        slide.ignoreMasterGraphics = *ignoreMasterGraphics;
    if (hidden)
        slide.hidden = *hidden;
    if (collapsed)
        slide.collapsed = *collapsed;
    if (fields.contains(u"body"_s)) {
        const QJsonValue body = fields[u"body"_s];
        if (!body.isArray())
            return wrongType(where + u".body"_s, u"文字数组"_s);
        slide.body.clear();
        const QJsonArray lines = body.toArray();
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (!lines[i].isString())
                return wrongType(u"%1.body[%2]"_s.arg(where).arg(i), u"文字"_s);
            slide.body << lines[i].toString();
        }
    }
    if (fields.contains(u"addShape"_s)) {
        QJsonObject wrapper{{u"shapes"_s, QJsonArray{fields[u"addShape"_s]}}};
        std::vector<SlideShape> added;
        if ((fault = readShapes(wrapper, added, where + u".addShape"_s))) {
            // The shape is the member itself, not an element of a list.
            fault->where.replace(where + u".addShape.shapes[0]"_s, where + u".addShape"_s);
            return fault;
        }
        slide.shapes.insert(slide.shapes.end(), added.begin(), added.end());
    }
    if ((fault = readObjectChanges(slide, fields, where)))
        return fault;
    return {};
}

namespace {

constexpr int kFormatVersion = 1;
constexpr int kMaxSteps = 100;

// 插入新标题母版 makes the title master a copy of the slide master; its
// changes then go to it alone. null deletes it.
Check mergeTitleMaster(Presentation& p, const QJsonValue& value, const QString& where)
{
    if (value.isNull()) {
        p.titleMaster.reset();
        return {};
    }
    if (!value.isObject())
        return wrongType(where, u"对象或 null"_s);
    Slide master = p.titleMaster.value_or(p.master);
    if (!p.titleMaster)
        master.layout = u"标题幻灯片"_s;
    if (Check f = mergeFields(master, value.toObject(), where))
        return f;
    p.titleMaster = master;
    return {};
}

// A slide's number at `key` of the changes: one of the presentation's slides, or one past the last
// where `allowEnd` (a slide inserted at the end).
Check slideNumber(const Presentation& p, const QString& where, const QString& key, const QJsonValue& v,
                  int& out, bool allowEnd)
{
    const QString w = where + u'.' + key;
    if (Check f = readInteger(v, out, w, u"幻灯片编号"_s))
        return f;
    const int last = static_cast<int>(p.slides.size()) + (allowEnd ? 1 : 0);
    if (out < 1 || out > last)
        return Fault{w, u"没有第 %1 张幻灯片（此时演示文稿有 %2 张）"_s.arg(out).arg(p.slides.size())};
    return {};
}

// The changes to the presentation as a whole: its design, file, view, task pane, page and print
// settings, review, masters, and slides made anew.
Check applyPresentationChanges(Presentation& p, const QJsonObject& changes, const QString& where)
{
    if (changes.contains(u"design"_s)) {
        if (Check f = readString(changes, u"design"_s, p.design, where))
            return f;
    }
    if (changes.contains(u"file"_s)) {
        if (Check f = readString(changes, u"file"_s, p.file, where))
            return f;
    }
    if (changes.contains(u"view"_s)) {
        QString name;
        if (Check f = readString(changes, u"view"_s, name, where))
            return f;
        const std::optional<ViewKind> kind = WindowView::kindNamed(name);
        if (!kind)
            return wrongType(where + u".view"_s, u"视图名"_s);
        p.view.switchTo(*kind);
    }
    // The task pane shown, or none (视图 → 任务窗格 hides the one shown).
    if (changes.contains(u"taskpane"_s)) {
        if (changes[u"taskpane"_s].isNull())
            p.taskpane.clear();
        else if (Check f = readString(changes, u"taskpane"_s, p.taskpane, where))
            return f;
    }
    if (Check f = readPageResults(changes, p, where))
        return f;
    if (Check f = readPrintPreview(changes, p.printPreview, where))
        return f;
    // A presentation made anew (a 相册, one from a design template) has slides of its own.
    if (changes.contains(u"replaceSlides"_s)) {
        const QJsonArray slides = changes[u"replaceSlides"_s].toArray();
        if (slides.isEmpty() || slides.size() > kMaxMovieSlides)
            return Fault{where + u".replaceSlides"_s, u"应有 1 至 %1 张幻灯片"_s.arg(kMaxMovieSlides)};
        p.slides.clear();
        for (qsizetype i = 0; i < slides.size(); ++i) {
            const QString w = where + u".replaceSlides[%1]"_s.arg(i);
            if (!slides[i].isObject())
                return wrongType(w, u"对象"_s);
            Slide slide;
            if (Check f = mergeFields(slide, slides[i].toObject(), w))
                return f;
            p.slides.push_back(slide);
        }
        p.selected = 1;
    }
    if (Check f = readReviewResults(changes, p, where))
        return f;
    if (changes.contains(u"master"_s)) {
        if (!changes[u"master"_s].isObject())
            return wrongType(where + u".master"_s, u"对象"_s);
        if (Check f = mergeFields(p.master, changes[u"master"_s].toObject(), where + u".master"_s))
            return f;
    }
    if (changes.contains(u"titleMaster"_s)) {
        if (Check f = mergeTitleMaster(p, changes[u"titleMaster"_s], where + u".titleMaster"_s))
            return f;
    }

    return {};
}

// insertSlide and insertSlides: the slides inserted after the selected one (or at `at`), the last
// of them selected.
Check insertSlides(Presentation& p, const QJsonObject& changes, const QString& where)
{
    if (changes.contains(u"insertSlide"_s)) {
        const QString w = where + u".insertSlide"_s;
        if (!changes[u"insertSlide"_s].isObject())
            return wrongType(w, u"对象"_s);
        const QJsonObject o = changes[u"insertSlide"_s].toObject();
        if (static_cast<int>(p.slides.size()) >= kMaxMovieSlides)
            return Fault{w, u"无法插入：演示文稿最多 %1 张幻灯片"_s.arg(kMaxMovieSlides)};
        int at = p.selected + 1;
        if (o.contains(u"at"_s)) {
            if (Check f = slideNumber(p, where, u"insertSlide.at"_s, o[u"at"_s], at, true))
                return f;
        }
        Slide slide;
        if (Check f = mergeFields(slide, o, w))
            return f;
        p.slides.insert(p.slides.begin() + (at - 1), slide);
        p.selected = at;
    }
    if (changes.contains(u"insertSlides"_s)) {
        const QString w = where + u".insertSlides"_s;
        if (!changes[u"insertSlides"_s].isObject() || !changes[u"insertSlides"_s][u"slides"_s].isArray())
            return wrongType(w, u"含 slides 数组的对象"_s);
        const QJsonObject o = changes[u"insertSlides"_s].toObject();
        const QJsonArray slides = o[u"slides"_s].toArray();
        if (slides.isEmpty())
            return Fault{w + u".slides"_s, u"没有要插入的幻灯片"_s};
        if (static_cast<int>(p.slides.size() + slides.size()) > kMaxMovieSlides)
            return Fault{w, u"无法插入：演示文稿最多 %1 张幻灯片"_s.arg(kMaxMovieSlides)};
        int at = p.selected + 1;
        if (o.contains(u"at"_s)) {
            if (Check f = slideNumber(p, where, u"insertSlides.at"_s, o[u"at"_s], at, true))
                return f;
        }
        for (qsizetype i = 0; i < slides.size(); ++i) {
            const QString item = u"%1.slides[%2]"_s.arg(w).arg(i);
            if (!slides[i].isObject())
                return wrongType(item, u"对象"_s);
            Slide slide;
            if (Check f = mergeFields(slide, slides[i].toObject(), item))
                return f;
            p.slides.insert(p.slides.begin() + (at - 1 + i), slide);
        }
        // The last slide inserted is the one selected, as after inserting one.
        p.selected = at + static_cast<int>(slides.size()) - 1;
    }
    return {};
}

// moveSlideTo: the selected slide, or the slides selected together, moved to a place.
Check moveSlides(Presentation& p, const QJsonObject& changes, const QString& where)
{
    if (changes.contains(u"moveSlideTo"_s)) {
        int to = 0;
        if (Check f = slideNumber(p, where, u"moveSlideTo"_s, changes[u"moveSlideTo"_s], to, false))
            return f;
        int from = p.selected;
        if (changes.contains(u"slide"_s)) {
            if (Check f = slideNumber(p, where, u"slide"_s, changes[u"slide"_s], from, false))
                return f;
        }
        // Slides selected together move together, in their order, the first of them to `to`.
        std::vector<int> numbers{from};
        if (changes.contains(u"slides"_s)) {
            if (!changes[u"slides"_s].isArray() || changes[u"slides"_s].toArray().isEmpty())
                return wrongType(where + u".slides"_s, u"幻灯片编号数组"_s);
            numbers.clear();
            const QJsonArray list = changes[u"slides"_s].toArray();
            for (qsizetype i = 0; i < list.size(); ++i) {
                int n = 0;
                if (Check f = slideNumber(p, where, u"slides[%1]"_s.arg(i), list[i], n, false))
                    return f;
                if (std::find(numbers.begin(), numbers.end(), n) == numbers.end())
                    numbers.push_back(n);
            }
            std::sort(numbers.begin(), numbers.end());
        }
        const int moved = static_cast<int>(numbers.size());
        if (to + moved - 1 > static_cast<int>(p.slides.size()))
            return Fault{where + u".moveSlideTo"_s,
                         u"%1 张幻灯片放不到第 %2 张的位置（演示文稿有 %3 张）"_s.arg(moved).arg(to).arg(
                             p.slides.size())};
        std::vector<Slide> moving;
        for (auto it = numbers.rbegin(); it != numbers.rend(); ++it) {
            moving.insert(moving.begin(), p.slides[static_cast<size_t>(*it - 1)]);
            p.slides.erase(p.slides.begin() + (*it - 1));
        }
        p.slides.insert(p.slides.begin() + (to - 1), moving.begin(), moving.end());
        p.selected = to;
        return {};
    }
    return {};
}

// What the changes set on slides: the selected one, the one named, several, or all.
Check applySlideChanges(Presentation& p, const QJsonObject& changes, const QString& where)
{
    QJsonObject slideFields = changes;
    for (const QString& key :
         {u"selected"_s, u"slide"_s, u"design"_s, u"file"_s, u"view"_s, u"master"_s, u"insertSlide"_s,
          u"insertSlides"_s, u"deleteSlide"_s, u"allSlides"_s, u"slides"_s, u"titleMaster"_s})
        slideFields.remove(key);
    slideFields.remove(u"slides"_s);
    slideFields.remove(u"taskpane"_s);
    for (const QString& key :
         {u"footers"_s, u"notesFooters"_s, u"pageSetup"_s, u"window"_s, u"notesMaster"_s})
        slideFields.remove(key);
    for (const QString& key : {u"spelling"_s, u"customShows"_s, u"showMarkup"_s, u"show"_s})
        slideFields.remove(key);
    if (!slideFields.isEmpty()) {
        if (changes[u"allSlides"_s].toBool()) {
            for (Slide& slide : p.slides) {
                if (Check f = mergeFields(slide, slideFields, where))
                    return f;
            }
        } else if (changes.contains(u"slides"_s)) {
            // Several slides selected together take the same change.
            if (!changes[u"slides"_s].isArray() || changes[u"slides"_s].toArray().isEmpty())
                return wrongType(where + u".slides"_s, u"幻灯片编号数组"_s);
            const QJsonArray numbers = changes[u"slides"_s].toArray();
            for (qsizetype i = 0; i < numbers.size(); ++i) {
                int n = 0;
                if (Check f = slideNumber(p, where, u"slides[%1]"_s.arg(i), numbers[i], n, false))
                    return f;
                if (Check f = mergeFields(p.slides[static_cast<size_t>(n - 1)], slideFields, where))
                    return f;
            }
        } else {
            int n = p.selected;
            if (changes.contains(u"slide"_s)) {
                if (Check f = slideNumber(p, where, u"slide"_s, changes[u"slide"_s], n, false))
                    return f;
            }
            if (Check f = mergeFields(p.slides[static_cast<size_t>(n - 1)], slideFields, where))
                return f;
        }
    }
    return {};
}

// A step's changes, all or none; `where` is the path of the changes ("steps[2].set").
Check applyChanges(Presentation& presentation, const QJsonObject& changes, const QString& where)
{
    Presentation p = presentation;
    const int count = static_cast<int>(p.slides.size());
    // The presentation of a movie always has a slide, and its selection is one of them.
    if (count < 1 || p.selected < 1 || p.selected > count)
        return Fault{where, u"无法应用：演示文稿中没有选中的幻灯片"_s};
    if (Check f = applyPresentationChanges(p, changes, where))
        return f;
    if (Check f = insertSlides(p, changes, where))
        return f;
    if (changes.contains(u"deleteSlide"_s)) {
        int n = 0;
        if (Check f = slideNumber(p, where, u"deleteSlide"_s, changes[u"deleteSlide"_s], n, false))
            return f;
        if (p.slides.size() == 1)
            return Fault{where + u".deleteSlide"_s, u"不能删除演示文稿中唯一的一张幻灯片"_s};
        p.slides.erase(p.slides.begin() + (n - 1));
        p.selected = std::clamp(p.selected, 1, static_cast<int>(p.slides.size()));
    }
    if (changes.contains(u"moveSlideTo"_s)) {
        // A move changes nothing else.
        if (Check f = moveSlides(p, changes, where))
            return f;
        presentation = std::move(p);
        return {};
    }
    // The slide a command goes to (查找下一个 finds the text on another slide).
    if (changes.contains(u"selected"_s)) {
        if (Check f = slideNumber(p, where, u"selected"_s, changes[u"selected"_s], p.selected, false))
            return f;
    }
    if (Check f = applySlideChanges(p, changes, where))
        return f;
    presentation = std::move(p);
    return {};
}

// An action of step `where` names a slide or shape that the presentation has now.
Check checkTarget(const Presentation& p, const QString& action, const QString& where)
{
    const ActionParts t = parseAction(action);
    const int slides = static_cast<int>(p.slides.size());
    if (t.malformed)
        return Fault{where, u"“%1”：没有指出幻灯片或图形的编号"_s.arg(action)};
    if (t.slide > slides || t.dropAfter > slides)
        return Fault{where, u"“%1”：没有第 %2 张幻灯片（此时演示文稿有 %3 张）"_s.arg(action)
                                .arg(std::max(t.slide, t.dropAfter))
                                .arg(slides)};
    if (t.paragraph > 0) {
        const qsizetype count = outlineParagraphs(p.slides[static_cast<size_t>(t.slide - 1)]).size();
        if (t.paragraph > count)
            return Fault{where, u"“%1”：第 %2 张幻灯片的大纲中没有第 %3 段文本（它有 %4 段）"_s.arg(action)
                                    .arg(t.slide)
                                    .arg(t.paragraph)
                                    .arg(count)};
    }
    if (t.shape > 0) {
        const Slide& slide = p.slides[static_cast<size_t>(p.selected - 1)];
        if (t.shape > static_cast<int>(slide.shapes.size()))
            return Fault{where, u"“%1”：第 %2 张幻灯片上没有第 %3 个图形（它有 %4 个）"_s.arg(action)
                                    .arg(p.selected)
                                    .arg(t.shape)
                                    .arg(slide.shapes.size())};
    }
    return {};
}

// A step: its hint, caption, accepted actions and changes. `where` is its path
// ("steps[2]", "steps[2].ways[0].steps[1]").
Check readStep(const QJsonValue& value, const QString& where, MovieStep& step)
{
    if (!value.isObject())
        return wrongType(where, u"对象"_s);
    const QJsonObject so = value.toObject();
    if (Check f = readString(so, u"hint"_s, step.hint, where))
        return f;
    if (Check f = readString(so, u"caption"_s, step.caption, where))
        return f;
    if (step.hint.isEmpty())
        return Fault{where, u"缺少 hint"_s};
    if (step.caption.isEmpty())
        step.caption = step.hint;
    if (so.contains(u"accept"_s) && !so[u"accept"_s].isArray())
        return wrongType(where + u".accept"_s, u"非空文字数组"_s);
    const QJsonArray accept = so[u"accept"_s].toArray();
    for (qsizetype j = 0; j < accept.size(); ++j) {
        if (!accept[j].isString() || accept[j].toString().isEmpty())
            return wrongType(u"%1.accept[%2]"_s.arg(where).arg(j), u"非空文字"_s);
        step.accept << accept[j].toString();
    }
    if (step.accept.isEmpty())
        return Fault{where, u"没有可接受的操作"_s};
    if (so.contains(u"set"_s)) {
        if (!so[u"set"_s].isObject())
            return wrongType(where + u".set"_s, u"对象"_s);
        step.set = so[u"set"_s].toObject();
    }
    if (Check f = readString(so, u"anyOrder"_s, step.anyOrder, where))
        return f;
    if (so.contains(u"routeNamed"_s)) {
        if (!so[u"routeNamed"_s].isBool())
            return wrongType(where + u".routeNamed"_s, u"true 或 false"_s);
        step.routeNamed = so[u"routeNamed"_s].toBool();
        if (step.routeNamed && so.contains(u"ways"_s))
            return Fault{where + u".ways"_s, u"题干指定了做法的步骤不能再有另一种做法"_s};
    }
    if (so.contains(u"anyOrder"_s) && (step.anyOrderBlock().isEmpty() || step.anyOrder.count(u'/') > 1 ||
                                       (step.anyOrder.contains(u'/') && step.anyOrderChain().isEmpty())))
        return Fault{where + u".anyOrder"_s, u"应为“组名”或“组名/串名”"_s};
    return {};
}

// The any-order blocks of a list of steps: each block's steps stand together, and it has at
// least two parts (chains, or steps of no chain) to order.
Check checkAnyOrderBlocks(const std::vector<MovieStep>& steps, const QString& where)
{
    QStringList ended;
    for (size_t i = 0; i < steps.size(); ++i) {
        const QString block = steps[i].anyOrderBlock();
        if (block.isEmpty() || (i > 0 && steps[i - 1].anyOrderBlock() == block))
            continue;
        if (ended.contains(block))
            return Fault{u"%1[%2].anyOrder"_s.arg(where).arg(i), u"组“%1”的步骤应连在一起"_s.arg(block)};
        ended << block;
    }
    for (size_t i = 0; i < steps.size();) {
        const QString block = steps[i].anyOrderBlock();
        size_t end = i + 1;
        while (!block.isEmpty() && end < steps.size() && steps[end].anyOrderBlock() == block)
            ++end;
        if (!block.isEmpty()) {
            const QString at = u"%1[%2].anyOrder"_s.arg(where).arg(i);
            QStringList parts;
            for (size_t k = i; k < end; ++k) {
                const QString chain = steps[k].anyOrderChain();
                const QString part = chain.isEmpty() ? u"#%1"_s.arg(k) : chain;
                if (!parts.contains(part))
                    parts << part;
            }
            if (parts.size() < 2)
                return Fault{at, u"组“%1”只有一部分，没有可调换的顺序"_s.arg(block)};
        }
        i = end;
    }
    return {};
}

// Another way of a run of steps; `stepsLeft` counts the run's first step and those after it.
Check readWay(const QJsonValue& value, const QString& where, int stepsLeft, MovieWay& way)
{
    if (!value.isObject())
        return wrongType(where, u"对象"_s);
    const QJsonObject wo = value.toObject();
    if (Check f = readString(wo, u"name"_s, way.name, where))
        return f;
    if (way.name.isEmpty())
        return Fault{where, u"缺少 name"_s};
    if (wo.contains(u"replaces"_s)) {
        if (Check f = readInteger(wo[u"replaces"_s], way.count, where + u".replaces"_s, u"步数"_s))
            return f;
        if (way.count < 1 || way.count > stepsLeft)
            return Fault{where + u".replaces"_s,
                         u"应为 1 至 %1（从这一步起到最后一步的步数）"_s.arg(stepsLeft)};
    }
    const QJsonArray steps = wo[u"steps"_s].toArray();
    if (steps.isEmpty() || steps.size() > kMaxSteps)
        return Fault{where + u".steps"_s, u"应有 1 至 %1 步"_s.arg(kMaxSteps)};
    for (qsizetype j = 0; j < steps.size(); ++j) {
        const QString at = u"%1.steps[%2]"_s.arg(where).arg(j);
        if (steps[j].toObject().contains(u"ways"_s))
            return Fault{at + u".ways"_s, u"另一种做法的步骤不能再有另一种做法"_s};
        MovieStep step;
        if (Check f = readStep(steps[j], at, step))
            return f;
        way.steps.push_back(step);
    }
    return checkAnyOrderBlocks(way.steps, where + u".steps"_s);
}

// Checks a step against the presentation as it is when the step comes, then
// takes the step along the demonstration's way (its first action selects a slide).
Check checkStep(Presentation& p, const MovieStep& step, const QString& where)
{
    for (qsizetype j = 0; j < step.accept.size(); ++j) {
        if (Check f = checkTarget(p, step.accept[j], u"%1.accept[%2]"_s.arg(where).arg(j)))
            return f;
    }
    if (const ActionParts t = parseAction(step.accept.first()); t.slide > 0)
        p.selected = t.slide;
    return applyChanges(p, step.set, where + u".set"_s);
}

// Notes the line of a step (`at` empty) or of one of its actions (`at` is "accept[k]").
bool noteLine(MovieStep& step, const JsonPath& at, int line)
{
    if (at.empty()) {
        step.line = line;
        return true;
    }
    if (at[0].key != u"accept"_s)
        return false;
    if (at.size() == 1) {
        step.acceptLines.assign(static_cast<size_t>(step.accept.size()), line);
        return true;
    }
    if (at[1].index >= 0 && at[1].index < static_cast<qsizetype>(step.acceptLines.size()))
        step.acceptLines[static_cast<size_t>(at[1].index)] = line;
    return false;
}

} // namespace

QStringList outlineParagraphs(const Slide& slide)
{
    if (!slide.body.isEmpty())
        return slide.body;
    if (slide.layout == u"标题幻灯片"_s && !slide.subtitle.isEmpty())
        return slide.subtitle.split(u'\n');
    return {};
}

Status mergeSlide(Slide& slide, const QJsonObject& fields, const QString& where)
{
    if (Check f = mergeFields(slide, fields, where))
        return Status::failure(f->text());
    return {};
}

Status applyPresentationChanges(Presentation& p, const QJsonObject& changes)
{
    if (Check f = applyChanges(p, changes, u"set"_s))
        return Status::failure(f->text());
    return {};
}

namespace {

// The movie's own fields beside its presentation and steps.
Check readMovieFields(const QJsonObject& root, Movie& movie)
{
    Check fault;
    if ((fault = readString(root, u"file"_s, movie.file, u"file"_s)) ||
        (fault = readString(root, u"result"_s, movie.result, u"result"_s)) ||
        (fault = readString(root, u"shows"_s, movie.shows, u"shows"_s)) ||
        (fault = readString(root, u"unseen"_s, movie.unseen, u"unseen"_s)))
        return fault;
    for (const QString& key : {u"shows"_s, u"unseen"_s}) {
        if (root.contains(key) && root[key].toString().trimmed().isEmpty())
            return Fault{key, u"不能为空"_s};
    }
    if (root.contains(u"shows"_s) && root.contains(u"unseen"_s))
        return Fault{u"unseen"_s, u"与 shows 只能有一个：结果要么在窗口中看得见，要么看不见"_s};

    return {};
}

// The presentation as the question starts.
Check readStartPresentation(const QJsonObject& root, Movie& movie)
{
    Check fault;
    if (!root[u"presentation"_s].isObject())
        return Fault{u"presentation"_s, u"缺少或不是对象"_s};
    const QJsonObject pres = root[u"presentation"_s].toObject();
    Presentation& p = movie.presentation;
    p.file = movie.file;
    QString viewName = WindowView::nameOf(ViewKind::Normal);
    if ((fault = readString(pres, u"design"_s, p.design, u"presentation"_s)) ||
        (fault = readString(pres, u"view"_s, viewName, u"presentation"_s)))
        return fault;
    if (pres.contains(u"taskpane"_s) && !pres[u"taskpane"_s].isNull()) {
        if ((fault = readString(pres, u"taskpane"_s, p.taskpane, u"presentation"_s)))
            return fault;
    }
    if (const std::optional<ViewKind> kind = WindowView::kindNamed(viewName))
        p.view = WindowView(*kind);
    else
        return Fault{u"presentation.view"_s, u"不能是“%1”"_s.arg(viewName)};
    const QJsonArray slides = pres[u"slides"_s].toArray();
    if (slides.isEmpty() || slides.size() > kMaxMovieSlides)
        return Fault{u"presentation.slides"_s, u"应有 1 至 %1 张幻灯片"_s.arg(kMaxMovieSlides)};
    for (qsizetype i = 0; i < slides.size(); ++i) {
        const QString where = u"presentation.slides[%1]"_s.arg(i);
        if (!slides[i].isObject())
            return wrongType(where, u"对象"_s);
        Slide slide;
        if ((fault = mergeFields(slide, slides[i].toObject(), where)))
            return fault;
        p.slides.push_back(slide);
    }
    p.master.layout = u"标题和文本"_s;
    if (pres.contains(u"master"_s)) {
        if (!pres[u"master"_s].isObject())
            return wrongType(u"presentation.master"_s, u"对象"_s);
        if ((fault = mergeFields(p.master, pres[u"master"_s].toObject(), u"presentation.master"_s)))
            return fault;
    }
    if ((fault = readPageResults(pres, p, u"presentation"_s)) ||
        (fault = readReviewResults(pres, p, u"presentation"_s)) ||
        (fault = readPrintPreview(pres, p.printPreview, u"presentation"_s)))
        return fault;
    if (pres.contains(u"titleMaster"_s)) {
        if ((fault = mergeTitleMaster(p, pres[u"titleMaster"_s], u"presentation.titleMaster"_s)))
            return fault;
    }
    if (pres.contains(u"selected"_s)) {
        if ((fault =
                 readInteger(pres[u"selected"_s], p.selected, u"presentation.selected"_s, u"幻灯片编号"_s)))
            return fault;
    }
    if (p.selected < 1 || p.selected > static_cast<int>(p.slides.size()))
        return Fault{u"presentation.selected"_s,
                     u"没有第 %1 张幻灯片（演示文稿有 %2 张）"_s.arg(p.selected).arg(p.slides.size())};

    return {};
}

// The steps, and the other ways of doing runs of them. A run lies whole inside the movie, and no
// step inside a run has ways of its own.
Check readStepsAndWays(const QJsonObject& root, Movie& movie)
{
    Check fault;
    const QJsonArray steps = root[u"steps"_s].toArray();
    if (steps.isEmpty() || steps.size() > kMaxSteps)
        return Fault{u"steps"_s, u"应有 1 至 %1 步"_s.arg(kMaxSteps)};
    for (qsizetype i = 0; i < steps.size(); ++i) {
        MovieStep step;
        if ((fault = readStep(steps[i], u"steps[%1]"_s.arg(i), step)))
            return fault;
        movie.steps.push_back(step);
    }
    if ((fault = checkAnyOrderBlocks(movie.steps, u"steps"_s)))
        return fault;
    // Whether step i lies inside an any-order block that began before it.
    const auto insideBlock = [&movie](size_t i) {
        return i > 0 && i < movie.steps.size() && !movie.steps[i].anyOrderBlock().isEmpty() &&
               movie.steps[i].anyOrderBlock() == movie.steps[i - 1].anyOrderBlock();
    };
    int coveredUntil = 0, coveringStep = -1;
    for (qsizetype i = 0; i < steps.size(); ++i) {
        const QJsonObject so = steps[i].toObject();
        if (!so.contains(u"ways"_s))
            continue;
        const QString where = u"steps[%1].ways"_s.arg(i);
        if (i < coveredUntil)
            return Fault{
                where, u"第 %1 步在第 %2 步的另一种做法所代替的步骤之中，不能再有另一种做法"_s.arg(i + 1).arg(
                           coveringStep + 1)};
        if (!so[u"ways"_s].isArray() || so[u"ways"_s].toArray().isEmpty())
            return wrongType(where, u"非空数组"_s);
        const QJsonArray ways = so[u"ways"_s].toArray();
        for (qsizetype w = 0; w < ways.size(); ++w) {
            MovieWay way;
            way.from = static_cast<int>(i);
            if ((fault = readWay(ways[w], u"%1[%2]"_s.arg(where).arg(w), static_cast<int>(steps.size() - i),
                                 way)))
                return fault;
            if (insideBlock(static_cast<size_t>(way.from)) ||
                insideBlock(static_cast<size_t>(way.from + way.count)))
                return Fault{u"%1[%2].replaces"_s.arg(where).arg(w),
                             u"另一种做法所代替的步骤不能只含可按任意顺序的一组步骤的一部分"_s};
            if (way.from + way.count > coveredUntil) {
                coveredUntil = way.from + way.count;
                coveringStep = way.from;
            }
            movie.ways.push_back(way);
        }
    }

    return {};
}

// Along the demonstration's way, every slide and shape a step's actions name must be there when
// the step comes, and its changes must apply; so along every other way from where its run starts.
Check checkAlongEveryWay(const Movie& movie)
{
    Check fault;
    Presentation check = movie.presentation;
    for (size_t i = 0; i < movie.steps.size(); ++i) {
        qsizetype wayOfStep = 0;
        for (const MovieWay& way : movie.ways) {
            if (way.from != static_cast<int>(i))
                continue;
            Presentation along = check;
            for (size_t j = 0; j < way.steps.size(); ++j) {
                const QString where = u"steps[%1].ways[%2].steps[%3]"_s.arg(i).arg(wayOfStep).arg(j);
                if ((fault = checkStep(along, way.steps[j], where)))
                    return fault;
            }
            ++wayOfStep;
        }
        if ((fault = checkStep(check, movie.steps[i], u"steps[%1]"_s.arg(i))))
            return fault;
    }

    return {};
}

// Where each step and each of its actions is in the file, for later messages.
void noteStepLines(const QByteArray& bytes, Movie& movie)
{
    std::vector<std::vector<size_t>> waysOfStep(movie.steps.size());
    for (size_t w = 0; w < movie.ways.size(); ++w)
        waysOfStep[static_cast<size_t>(movie.ways[w].from)].push_back(w);
    walkJson(bytes, [&](const JsonPath& at, int line) {
        if (at.empty())
            return true;
        if (at[0].key != u"steps"_s)
            return false;
        if (at.size() == 1)
            return true;
        const auto i = static_cast<size_t>(at[1].index);
        if (at[1].index < 0 || i >= movie.steps.size())
            return false;
        if (at.size() >= 3 && at[2].key == u"ways"_s) {
            // steps[i].ways[w].steps[j]…: a step of another way.
            if (at.size() == 3)
                return true;
            const std::vector<size_t>& ways = waysOfStep[i];
            if (at[3].index < 0 || static_cast<size_t>(at[3].index) >= ways.size())
                return false;
            MovieWay& way = movie.ways[ways[static_cast<size_t>(at[3].index)]];
            if (at.size() == 4) {
                way.line = line;
                return true;
            }
            if (at[4].key != u"steps"_s)
                return false;
            if (at.size() == 5)
                return true;
            if (at[5].index < 0 || static_cast<size_t>(at[5].index) >= way.steps.size())
                return false;
            return noteLine(way.steps[static_cast<size_t>(at[5].index)], JsonPath(at.begin() + 6, at.end()),
                            line);
        }
        return noteLine(movie.steps[i], JsonPath(at.begin() + 2, at.end()), line);
    });
}

} // namespace

Result<Movie> parseMovie(const QByteArray& bytes, const QString& source)
{
    using R = Result<Movie>;
    if (bytes.size() > kMaxMovieBytes)
        return R::failure(
            u"%1: 试题动画过大（%2 字节，最多 %3 字节）"_s.arg(source).arg(bytes.size()).arg(kMaxMovieBytes));
    auto failAt = [&](int line, const QString& what) {
        return R::failure(u"%1:%2: %3"_s.arg(source).arg(line).arg(what));
    };
    auto fail = [&](const Fault& f) {
        return failAt(jsonLine(bytes, f.where), u"试题动画已损坏：%1"_s.arg(f.text()));
    };
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError)
        return failAt(lineAtOffset(bytes, error.offset),
                      u"试题动画已损坏（第 %1 个字节处：%2）"_s.arg(error.offset).arg(error.errorString()));
    if (!doc.isObject())
        return failAt(1, u"试题动画已损坏：不是动画文档"_s);
    const QJsonObject root = doc.object();
    if (root[u"format"_s].toString() != u"pptdrill-movie"_s)
        return failAt(jsonLine(bytes, u"format"_s), u"这不是试题动画文件"_s);
    if (root[u"version"_s].toInt(-1) != kFormatVersion)
        return failAt(jsonLine(bytes, u"version"_s),
                      u"不支持的试题动画版本：%1"_s.arg(root[u"version"_s].toVariant().toString()));

    Movie movie;
    movie.source = source;
    if (root[u"completion"_s].toBool()) {
        movie.completion = true;
        movie.completionText = root[u"text"_s].toString(u"本题已完成"_s);
        return movie;
    }
    if (Check fault = readMovieFields(root, movie))
        return fail(*fault);
    if (Check fault = readStartPresentation(root, movie))
        return fail(*fault);
    if (Check fault = readStepsAndWays(root, movie))
        return fail(*fault);
    if (Check fault = checkAlongEveryWay(movie))
        return fail(*fault);
    noteStepLines(bytes, movie);
    return movie;
}

Result<Movie> loadMovieFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Result<Movie>::failure(u"%1: 无法打开试题动画：%2"_s.arg(path, file.errorString()));
    if (file.size() > kMaxMovieBytes)
        return Result<Movie>::failure(
            u"%1: 试题动画过大（%2 字节，最多 %3 字节）"_s.arg(path).arg(file.size()).arg(kMaxMovieBytes));
    return parseMovie(file.read(kMaxMovieBytes + 1), path);
}

} // namespace pptdrill

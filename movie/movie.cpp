#include "movie/movie.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

constexpr int kFormatVersion = 1;
constexpr int kMaxSlides = 200;
constexpr int kMaxSteps = 100;

Status wrongType(const QString& where, const QString& expected)
{
    return Status::failure(u"%1 应为%2"_s.arg(where, expected));
}

Status readString(const QJsonObject& o, const QString& key, QString& out, const QString& where)
{
    if (!o.contains(key))
        return {};
    if (!o[key].isString())
        return wrongType(where + u'.' + key, u"文字"_s);
    out = o[key].toString();
    return {};
}

Status readNumber(const QJsonObject& o, const QString& key, double& out, const QString& where)
{
    if (!o.contains(key))
        return {};
    if (!o[key].isDouble())
        return wrongType(where + u'.' + key, u"数字"_s);
    out = o[key].toDouble();
    return {};
}

Status readBool(const QJsonObject& o, const QString& key, std::optional<bool>& out, const QString& where)
{
    if (!o.contains(key))
        return {};
    if (!o[key].isBool())
        return wrongType(where + u'.' + key, u"true 或 false"_s);
    out = o[key].toBool();
    return {};
}

Status readColor(const QJsonObject& o, const QString& key, QString& out, const QString& where)
{
    if (Status s = readString(o, key, out, where); !s)
        return s;
    static const QRegularExpression color(u"^(#[0-9A-Fa-f]{6})?$"_s);
    if (!color.match(out).hasMatch())
        return wrongType(where + u'.' + key, u"颜色 #RRGGBB"_s);
    return {};
}

Status readFont(const QJsonObject& o, const QString& key, SlideFont& font, const QString& where)
{
    if (!o.contains(key))
        return {};
    if (!o[key].isObject())
        return wrongType(where + u'.' + key, u"对象"_s);
    const QJsonObject f = o[key].toObject();
    const QString w = where + u'.' + key;
    Status s;
    if (!(s = readString(f, u"family"_s, font.family, w)) || !(s = readNumber(f, u"size"_s, font.size, w)) ||
        !(s = readBool(f, u"bold"_s, font.bold, w)) || !(s = readBool(f, u"italic"_s, font.italic, w)) ||
        !(s = readBool(f, u"underline"_s, font.underline, w)) ||
        !(s = readColor(f, u"color"_s, font.color, w)) || !(s = readString(f, u"align"_s, font.align, w)))
        return s;
    return {};
}

Status readShapes(const QJsonObject& o, std::vector<SlideShape>& shapes, const QString& where)
{
    if (!o.contains(u"shapes"_s))
        return {};
    if (!o[u"shapes"_s].isArray())
        return wrongType(where + u".shapes"_s, u"数组"_s);
    shapes.clear();
    const QJsonArray list = o[u"shapes"_s].toArray();
    for (qsizetype i = 0; i < list.size(); ++i) {
        const QString w = u"%1.shapes[%2]"_s.arg(where).arg(i);
        if (!list[i].isObject())
            return wrongType(w, u"对象"_s);
        const QJsonObject so = list[i].toObject();
        SlideShape shape;
        Status s;
        if (!(s = readString(so, u"type"_s, shape.type, w)) || !(s = readNumber(so, u"x"_s, shape.x, w)) ||
            !(s = readNumber(so, u"y"_s, shape.y, w)) || !(s = readNumber(so, u"w"_s, shape.w, w)) ||
            !(s = readNumber(so, u"h"_s, shape.h, w)) || !(s = readString(so, u"text"_s, shape.text, w)) ||
            !(s = readColor(so, u"fill"_s, shape.fill, w)) || !(s = readColor(so, u"line"_s, shape.line, w)))
            return s;
        if (shape.type.isEmpty())
            return Status::failure(w + u".type 不能为空"_s);
        shapes.push_back(shape);
    }
    return {};
}

} // namespace

const QStringList& knownViews()
{
    static const QStringList views{u"normal"_s, u"outline"_s,     u"sorter"_s,        u"notes"_s,
                                   u"show"_s,   u"slidemaster"_s, u"handoutmaster"_s, u"notesmaster"_s};
    return views;
}

Status mergeSlide(Slide& slide, const QJsonObject& fields, const QString& where)
{
    Status s;
    std::optional<bool> hidden;
    if (!(s = readString(fields, u"layout"_s, slide.layout, where)) ||
        !(s = readString(fields, u"title"_s, slide.title, where)) ||
        !(s = readString(fields, u"subtitle"_s, slide.subtitle, where)) ||
        !(s = readString(fields, u"notes"_s, slide.notes, where)) ||
        !(s = readColor(fields, u"background"_s, slide.background, where)) ||
        !(s = readBool(fields, u"hidden"_s, hidden, where)) ||
        !(s = readString(fields, u"transition"_s, slide.transition, where)) ||
        !(s = readString(fields, u"animation"_s, slide.animation, where)) ||
        !(s = readFont(fields, u"titleFont"_s, slide.titleFont, where)) ||
        !(s = readFont(fields, u"bodyFont"_s, slide.bodyFont, where)) ||
        !(s = readShapes(fields, slide.shapes, where)))
        return s;
    if (hidden)
        slide.hidden = *hidden;
    if (fields.contains(u"body"_s)) {
        const QJsonValue body = fields[u"body"_s];
        if (!body.isArray())
            return wrongType(where + u".body"_s, u"文字数组"_s);
        slide.body.clear();
        for (const QJsonValue& line : body.toArray()) {
            if (!line.isString())
                return wrongType(where + u".body"_s, u"文字数组"_s);
            slide.body << line.toString();
        }
    }
    if (fields.contains(u"addShape"_s)) {
        QJsonObject wrapper{{u"shapes"_s, QJsonArray{fields[u"addShape"_s]}}};
        std::vector<SlideShape> added;
        if (!(s = readShapes(wrapper, added, where + u".addShape"_s)))
            return s;
        slide.shapes.insert(slide.shapes.end(), added.begin(), added.end());
    }
    return {};
}

Status applyPresentationChanges(Presentation& p, const QJsonObject& changes)
{
    const QString where = u"set"_s;
    auto slideIndex = [&](const QJsonValue& v, int& out, bool allowEnd) -> Status {
        if (!v.isDouble())
            return wrongType(where, u"幻灯片编号"_s);
        out = v.toInt();
        const int last = static_cast<int>(p.slides.size()) + (allowEnd ? 1 : 0);
        if (out < 1 || out > last)
            return Status::failure(u"%1: 没有第 %2 张幻灯片"_s.arg(where).arg(out));
        return {};
    };

    if (changes.contains(u"design"_s) && !readString(changes, u"design"_s, p.design, where))
        return wrongType(where + u".design"_s, u"文字"_s);
    if (changes.contains(u"view"_s)) {
        if (!readString(changes, u"view"_s, p.view, where) || !knownViews().contains(p.view))
            return wrongType(where + u".view"_s, u"视图名"_s);
    }
    if (changes.contains(u"master"_s)) {
        if (!changes[u"master"_s].isObject())
            return wrongType(where + u".master"_s, u"对象"_s);
        if (Status s = mergeSlide(p.master, changes[u"master"_s].toObject(), where + u".master"_s); !s)
            return s;
    }

    if (changes.contains(u"insertSlide"_s)) {
        if (!changes[u"insertSlide"_s].isObject())
            return wrongType(where + u".insertSlide"_s, u"对象"_s);
        const QJsonObject o = changes[u"insertSlide"_s].toObject();
        int at = p.selected + 1;
        if (o.contains(u"at"_s)) {
            if (Status s = slideIndex(o[u"at"_s], at, true); !s)
                return s;
        }
        Slide slide;
        if (Status s = mergeSlide(slide, o, where + u".insertSlide"_s); !s)
            return s;
        p.slides.insert(p.slides.begin() + (at - 1), slide);
        p.selected = at;
    }
    if (changes.contains(u"deleteSlide"_s)) {
        int n = 0;
        if (Status s = slideIndex(changes[u"deleteSlide"_s], n, false); !s)
            return s;
        p.slides.erase(p.slides.begin() + (n - 1));
        p.selected = std::clamp(p.selected, 1, std::max(1, static_cast<int>(p.slides.size())));
    }
    if (changes.contains(u"moveSlideTo"_s)) {
        int to = 0;
        if (Status s = slideIndex(changes[u"moveSlideTo"_s], to, false); !s)
            return s;
        const int from = changes.contains(u"slide"_s) ? changes[u"slide"_s].toInt() : p.selected;
        if (from < 1 || from > static_cast<int>(p.slides.size()))
            return Status::failure(u"%1: 没有第 %2 张幻灯片"_s.arg(where).arg(from));
        Slide moving = p.slides[static_cast<size_t>(from - 1)];
        p.slides.erase(p.slides.begin() + (from - 1));
        p.slides.insert(p.slides.begin() + (to - 1), moving);
        p.selected = to;
        return {};
    }

    QJsonObject slideFields = changes;
    for (const QString& key : {u"slide"_s, u"design"_s, u"view"_s, u"master"_s, u"insertSlide"_s,
                               u"deleteSlide"_s, u"allSlides"_s})
        slideFields.remove(key);
    if (slideFields.isEmpty())
        return {};
    if (changes[u"allSlides"_s].toBool()) {
        for (Slide& slide : p.slides) {
            if (Status s = mergeSlide(slide, slideFields, where); !s)
                return s;
        }
        return {};
    }
    int n = p.selected;
    if (changes.contains(u"slide"_s)) {
        if (Status s = slideIndex(changes[u"slide"_s], n, false); !s)
            return s;
    }
    if (p.slides.empty())
        return Status::failure(where + u": 演示文稿中没有幻灯片"_s);
    return mergeSlide(p.slides[static_cast<size_t>(n - 1)], slideFields, where);
}

Result<Movie> parseMovie(const QByteArray& bytes)
{
    using R = Result<Movie>;
    if (bytes.size() > kMaxMovieBytes)
        return R::failure(u"试题动画过大（%1 字节，最多 %2 字节）"_s.arg(bytes.size()).arg(kMaxMovieBytes));
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError)
        return R::failure(
            u"试题动画已损坏（第 %1 个字节处：%2）"_s.arg(error.offset).arg(error.errorString()));
    if (!doc.isObject())
        return R::failure(u"试题动画已损坏：不是动画文档"_s);
    const QJsonObject root = doc.object();
    if (root[u"format"_s].toString() != u"pptdrill-movie"_s)
        return R::failure(u"这不是试题动画文件"_s);
    if (root[u"version"_s].toInt(-1) != kFormatVersion)
        return R::failure(u"不支持的试题动画版本：%1"_s.arg(root[u"version"_s].toVariant().toString()));

    Movie movie;
    if (root[u"completion"_s].toBool()) {
        movie.completion = true;
        movie.completionText = root[u"text"_s].toString(u"本题已完成"_s);
        return movie;
    }
    Status s;
    if (!(s = readString(root, u"file"_s, movie.file, u"file"_s)) ||
        !(s = readString(root, u"result"_s, movie.result, u"result"_s)))
        return R::failure(u"试题动画已损坏：%1"_s.arg(s.error()));

    if (!root[u"presentation"_s].isObject())
        return R::failure(u"试题动画已损坏：缺少 presentation"_s);
    const QJsonObject pres = root[u"presentation"_s].toObject();
    Presentation& p = movie.presentation;
    if (!(s = readString(pres, u"design"_s, p.design, u"presentation"_s)) ||
        !(s = readString(pres, u"view"_s, p.view, u"presentation"_s)))
        return R::failure(u"试题动画已损坏：%1"_s.arg(s.error()));
    if (pres.contains(u"taskpane"_s) && !pres[u"taskpane"_s].isNull()) {
        if (!(s = readString(pres, u"taskpane"_s, p.taskpane, u"presentation"_s)))
            return R::failure(u"试题动画已损坏：%1"_s.arg(s.error()));
    }
    if (!knownViews().contains(p.view))
        return R::failure(u"试题动画已损坏：presentation.view 不能是“%1”"_s.arg(p.view));
    const QJsonArray slides = pres[u"slides"_s].toArray();
    if (slides.isEmpty() || slides.size() > kMaxSlides)
        return R::failure(u"试题动画已损坏：presentation.slides 应有 1 至 %1 张幻灯片"_s.arg(kMaxSlides));
    for (qsizetype i = 0; i < slides.size(); ++i) {
        const QString where = u"presentation.slides[%1]"_s.arg(i);
        if (!slides[i].isObject())
            return R::failure(u"试题动画已损坏：%1 应为对象"_s.arg(where));
        Slide slide;
        if (!(s = mergeSlide(slide, slides[i].toObject(), where)))
            return R::failure(u"试题动画已损坏：%1"_s.arg(s.error()));
        p.slides.push_back(slide);
    }
    p.master.layout = u"标题和文本"_s;
    if (pres.contains(u"master"_s)) {
        if (!pres[u"master"_s].isObject() ||
            !(s = mergeSlide(p.master, pres[u"master"_s].toObject(), u"presentation.master"_s)))
            return R::failure(
                u"试题动画已损坏：%1"_s.arg(s.ok() ? u"presentation.master 应为对象"_s : s.error()));
    }
    p.selected = pres[u"selected"_s].toInt(1);
    if (p.selected < 1 || p.selected > static_cast<int>(p.slides.size()))
        return R::failure(u"试题动画已损坏：presentation.selected 超出幻灯片范围"_s);

    const QJsonArray steps = root[u"steps"_s].toArray();
    if (steps.isEmpty() || steps.size() > kMaxSteps)
        return R::failure(u"试题动画已损坏：steps 应有 1 至 %1 步"_s.arg(kMaxSteps));
    for (qsizetype i = 0; i < steps.size(); ++i) {
        const QString where = u"steps[%1]"_s.arg(i);
        if (!steps[i].isObject())
            return R::failure(u"试题动画已损坏：%1 应为对象"_s.arg(where));
        const QJsonObject so = steps[i].toObject();
        MovieStep step;
        if (!(s = readString(so, u"hint"_s, step.hint, where)) ||
            !(s = readString(so, u"caption"_s, step.caption, where)))
            return R::failure(u"试题动画已损坏：%1"_s.arg(s.error()));
        if (step.hint.isEmpty())
            return R::failure(u"试题动画已损坏：%1 缺少 hint"_s.arg(where));
        if (step.caption.isEmpty())
            step.caption = step.hint;
        const QJsonArray accept = so[u"accept"_s].toArray();
        for (const QJsonValue& a : accept) {
            if (!a.isString() || a.toString().isEmpty())
                return R::failure(u"试题动画已损坏：%1.accept 应为非空文字数组"_s.arg(where));
            step.accept << a.toString();
        }
        if (step.accept.isEmpty())
            return R::failure(u"试题动画已损坏：%1 没有可接受的操作"_s.arg(where));
        if (so.contains(u"set"_s)) {
            if (!so[u"set"_s].isObject())
                return R::failure(u"试题动画已损坏：%1.set 应为对象"_s.arg(where));
            step.set = so[u"set"_s].toObject();
        }
        movie.steps.push_back(step);
    }
    // A step's changes must apply to the presentation as it will stand.
    Presentation check = movie.presentation;
    for (size_t i = 0; i < movie.steps.size(); ++i) {
        if (Status a = applyPresentationChanges(check, movie.steps[i].set); !a)
            return R::failure(u"试题动画已损坏：steps[%1].%2"_s.arg(i).arg(a.error()));
    }
    return movie;
}

Result<Movie> loadMovieFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Result<Movie>::failure(u"无法打开试题动画“%1”：%2"_s.arg(path, file.errorString()));
    if (file.size() > kMaxMovieBytes)
        return Result<Movie>::failure(
            u"试题动画过大（%1 字节，最多 %2 字节）"_s.arg(file.size()).arg(kMaxMovieBytes));
    return parseMovie(file.read(kMaxMovieBytes + 1));
}

} // namespace pptdrill

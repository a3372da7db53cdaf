#include "movie/document/moviereading.h"

#include <QJsonArray>
#include <tuple>

using namespace Qt::Literals::StringLiterals;

// What the spelling checker finds in a presentation and the custom shows it
// defines, as a movie gives them.
namespace pptdrill::reading {
namespace {

Check readWords(const QJsonValue& v, QStringList& out, const QString& where)
{
    if (!v.isArray())
        return wrongType(where, u"文字列表"_s);
    out.clear();
    const QJsonArray words = v.toArray();
    for (qsizetype i = 0; i < words.size(); ++i) {
        if (!words[i].isString() || words[i].toString().trimmed().isEmpty())
            return wrongType(u"%1[%2]"_s.arg(where).arg(i), u"非空的文字"_s);
        out << words[i].toString();
    }
    return {};
}

Check readSpelling(const QJsonObject& o, Spelling& spelling, const QString& where)
{
    std::optional<bool> flag;
    if (Check f = readBool(o, u"checkAsYouType"_s, flag, where))
        return f;
    spelling.checkAsYouType = flag.value_or(spelling.checkAsYouType);
    flag.reset();
    if (Check f = readBool(o, u"hideErrors"_s, flag, where))
        return f;
    spelling.hideErrors = flag.value_or(spelling.hideErrors);
    if (!o.contains(u"errors"_s))
        return {};
    if (!o[u"errors"_s].isArray())
        return wrongType(where + u".errors"_s, u"列表"_s);
    std::vector<SpellingError> errors;
    const QJsonArray given = o[u"errors"_s].toArray();
    for (qsizetype i = 0; i < given.size(); ++i) {
        const QString w = u"%1.errors[%2]"_s.arg(where).arg(i);
        if (!given[i].isObject())
            return wrongType(w, u"对象"_s);
        const QJsonObject e = given[i].toObject();
        SpellingError error;
        if (Check f = readString(e, u"word"_s, error.word, w))
            return f;
        if (error.word.trimmed().isEmpty())
            return Fault{w + u".word"_s, u"不能为空"_s};
        if (e.contains(u"suggestions"_s)) {
            if (Check f = readWords(e[u"suggestions"_s], error.suggestions, w + u".suggestions"_s))
                return f;
        }
        errors.push_back(error);
    }
    spelling.errors = std::move(errors);
    return {};
}

Check readCustomShows(const QJsonValue& v, const Presentation& p, std::vector<CustomShow>& out,
                      const QString& where)
{
    if (!v.isArray())
        return wrongType(where, u"列表"_s);
    std::vector<CustomShow> shows;
    const QJsonArray given = v.toArray();
    for (qsizetype i = 0; i < given.size(); ++i) {
        const QString w = u"%1[%2]"_s.arg(where).arg(i);
        if (!given[i].isObject())
            return wrongType(w, u"对象"_s);
        const QJsonObject o = given[i].toObject();
        CustomShow show;
        if (Check f = readString(o, u"name"_s, show.name, w))
            return f;
        if (show.name.trimmed().isEmpty())
            return Fault{w + u".name"_s, u"不能为空"_s};
        for (const CustomShow& before : shows) {
            if (before.name == show.name)
                return Fault{w + u".name"_s, u"“%1”已有同名的自定义放映"_s.arg(show.name)};
        }
        const QJsonArray slides = o[u"slides"_s].toArray();
        if (!o[u"slides"_s].isArray() || slides.isEmpty())
            return Fault{w + u".slides"_s, u"应列出至少一张幻灯片的编号"_s};
        for (qsizetype k = 0; k < slides.size(); ++k) {
            const QString at = u"%1.slides[%2]"_s.arg(w).arg(k);
            int n = 0;
            if (Check f = readInteger(slides[k], n, at, u"幻灯片编号"_s))
                return f;
            if (n < 1 || n > static_cast<int>(p.slides.size()))
                return Fault{at, u"没有第 %1 张幻灯片（演示文稿有 %2 张）"_s.arg(n).arg(p.slides.size())};
            show.slides.push_back(n);
        }
        shows.push_back(show);
    }
    out = std::move(shows);
    return {};
}

Check readShowState(const QJsonObject& o, const Presentation& p, ShowState& show, const QString& where)
{
    if (o.contains(u"slide"_s)) {
        if (Check f = readInteger(o[u"slide"_s], show.slide, where + u".slide"_s, u"幻灯片编号"_s))
            return f;
        if (show.slide < 0 || show.slide > static_cast<int>(p.slides.size()))
            return Fault{where + u".slide"_s,
                         u"没有第 %1 张幻灯片（演示文稿有 %2 张）"_s.arg(show.slide).arg(p.slides.size())};
    }
    for (const auto& [key, out, known] :
         {std::tuple{u"pointer"_s, &show.pointer,
                     QStringList{u""_s, u"箭头"_s, u"圆珠笔"_s, u"毡尖笔"_s, u"荧光笔"_s}},
          std::tuple{u"screen"_s, &show.screen, QStringList{u""_s, u"黑屏"_s, u"白屏"_s}},
          std::tuple{u"inkColor"_s, &show.inkColor, QStringList()}}) {
        if (Check f = readString(o, key, *out, where))
            return f;
        if (!known.isEmpty() && !known.contains(*out))
            return Fault{where + u'.' + key, u"应为%1之一"_s.arg(known.mid(1).join(u'、'))};
    }
    if (show.pointer == u"箭头"_s)
        show.pointer.clear();
    return {};
}

} // namespace

Check readComments(const QJsonObject& fields, Slide& slide, const QString& where)
{
    if (!fields.contains(u"comments"_s))
        return {};
    if (!fields[u"comments"_s].isArray())
        return wrongType(where + u".comments"_s, u"列表"_s);
    std::vector<SlideComment> comments;
    const QJsonArray given = fields[u"comments"_s].toArray();
    for (qsizetype i = 0; i < given.size(); ++i) {
        const QString w = u"%1.comments[%2]"_s.arg(where).arg(i);
        if (!given[i].isObject())
            return wrongType(w, u"对象"_s);
        const QJsonObject o = given[i].toObject();
        SlideComment comment;
        std::optional<bool> open;
        if (Check f = readString(o, u"author"_s, comment.author, w))
            return f;
        if (Check f = readString(o, u"initials"_s, comment.initials, w))
            return f;
        if (Check f = readString(o, u"text"_s, comment.text, w))
            return f;
        if (Check f = readBool(o, u"open"_s, open, w))
            return f;
        if (comment.author.trimmed().isEmpty())
            return Fault{w + u".author"_s, u"不能为空"_s};
        comment.open = open.value_or(false);
        comments.push_back(comment);
    }
    slide.comments = std::move(comments);
    return {};
}

Check readReviewResults(const QJsonObject& fields, Presentation& p, const QString& where)
{
    if (fields.contains(u"show"_s)) {
        if (!fields[u"show"_s].isObject())
            return wrongType(where + u".show"_s, u"对象"_s);
        if (Check f = readShowState(fields[u"show"_s].toObject(), p, p.show, where + u".show"_s))
            return f;
    }
    std::optional<bool> showMarkup;
    if (Check f = readBool(fields, u"showMarkup"_s, showMarkup, where))
        return f;
    p.showMarkup = showMarkup.value_or(p.showMarkup);
    if (fields.contains(u"spelling"_s)) {
        if (!fields[u"spelling"_s].isObject())
            return wrongType(where + u".spelling"_s, u"对象"_s);
        if (Check f = readSpelling(fields[u"spelling"_s].toObject(), p.spelling, where + u".spelling"_s))
            return f;
    }
    if (fields.contains(u"customShows"_s)) {
        if (Check f = readCustomShows(fields[u"customShows"_s], p, p.customShows, where + u".customShows"_s))
            return f;
    }
    return {};
}

} // namespace pptdrill::reading

#include "movie/document/jsonlines.h"
#include "movie/document/movie.h"
#include "movie/kit/kitcatalog.h"
#include "movie/kit/locators.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <set>

using namespace Qt::Literals::StringLiterals;

// Reads the kit's JSON files and checks them: the build does it (kitcompile),
// and so do drillbank and the tests; the programs read the compiled form.
namespace pptdrill {

namespace {

// The lists a control's items may come from: the presentation's slides, its
// custom shows, the selected slide's effects and its objects.
const QStringList& presentationLists()
{
    static const QStringList lists{u"slides"_s, u"shows"_s, u"effects"_s, u"objects"_s, u"suggestions"_s};
    return lists;
}

// The drawing styles a control type has besides its plain one.
QStringList stylesOf(KitControlType type)
{
    switch (type) {
    case KitControlType::Tabs:
        return {u"bar"_s, u"wizard"_s};
    case KitControlType::Options:
        return {u"bar"_s};
    case KitControlType::Palette:
        return {u"hexagon"_s};
    case KitControlType::Gallery:
        return {u"pictures"_s, u"characters"_s};
    case KitControlType::List:
        return {u"links"_s, u"files"_s, u"scheme"_s, u"folder"_s};
    default:
        return {};
    }
}

// The JSON kinds of the kit's values.
enum class Kind
{
    Text,
    Flag,
    Whole,
    Number,
    Texts,   // an array of texts
    Objects, // an array of objects
    Array,
    Object,
    Any, // checked where it is read
};

struct Field
{
    QString key;
    Kind kind;
};

JsonPath operator/(JsonPath path, const QString& key)
{
    path.push_back({key, -1});
    return path;
}

JsonPath operator/(JsonPath path, qsizetype index)
{
    path.push_back({{}, index});
    return path;
}

QString kindText(Kind kind)
{
    switch (kind) {
    case Kind::Text:
        return u"应为文字"_s;
    case Kind::Flag:
        return u"应为 true 或 false"_s;
    case Kind::Whole:
        return u"应为整数"_s;
    case Kind::Number:
        return u"应为数字"_s;
    case Kind::Texts:
        return u"应为文字的数组"_s;
    case Kind::Objects:
    case Kind::Array:
        return u"应为数组"_s;
    case Kind::Object:
        return u"应为对象"_s;
    case Kind::Any:
        break;
    }
    return {};
}

bool isKind(const QJsonValue& v, Kind kind)
{
    switch (kind) {
    case Kind::Text:
        return v.isString();
    case Kind::Flag:
        return v.isBool();
    case Kind::Whole:
        return v.isDouble() && std::trunc(v.toDouble()) == v.toDouble() && std::abs(v.toDouble()) < 1e9;
    case Kind::Number:
        return v.isDouble();
    case Kind::Texts:
    case Kind::Objects:
    case Kind::Array:
        return v.isArray();
    case Kind::Object:
        return v.isObject();
    case Kind::Any:
        return true;
    }
    return false;
}

QStringList texts(const QJsonValue& list)
{
    QStringList out;
    for (const QJsonValue& v : list.toArray())
        out << v.toString();
    return out;
}

// "其他效果(M)..." is a command of its menu; "百叶窗" an effect it lists.
bool hasAccessKey(const QString& text)
{
    const qsizetype open = text.indexOf(u'(');
    return open >= 0 && open + 2 < text.size() && text[open + 1].isLetter() && text[open + 2] == u')';
}

// The drop-down menu of a task pane's button: a submenu for each control under
// it, whose choices are listed numbered (the effects used last), then, after a
// separator, its commands.
std::vector<KitMenuItem> paneButtonMenu(const KitForm& pane, const QString& button)
{
    std::vector<KitMenuItem> menu;
    for (const KitControl& c : pane.controls) {
        if (c.under != button || c.type != KitControlType::Combo)
            continue;
        KitMenuItem submenu;
        submenu.text = c.text.isEmpty() ? c.id : c.text;
        submenu.icon = c.icon;
        int number = 0;
        for (const QString& value : c.items) {
            KitMenuItem item;
            item.control = c.id;
            item.value = value;
            if (hasAccessKey(value)) {
                if (number > 0 && !submenu.items.back().separator) {
                    KitMenuItem separator;
                    separator.separator = true;
                    submenu.items.push_back(separator);
                }
                item.text = value;
            } else {
                item.text = u"%1. %2"_s.arg(++number).arg(value);
                item.icon = c.icon;
            }
            submenu.items.push_back(item);
        }
        menu.push_back(submenu);
    }
    return menu;
}

// The menu of a task pane's list (the ▼ of its chosen row, a right click on a row): the
// buttons under it, each an item that presses it.
std::vector<KitMenuItem> paneListMenu(const KitForm& pane, const QString& list)
{
    std::vector<KitMenuItem> menu;
    for (const KitControl& c : pane.controls) {
        if (c.under != list || c.type != KitControlType::Button)
            continue;
        if (c.separatorAbove && !menu.empty()) {
            KitMenuItem separator;
            separator.separator = true;
            menu.push_back(separator);
        }
        KitMenuItem item;
        item.text = c.text.isEmpty() ? c.id : c.text;
        item.control = c.id;
        item.icon = c.icon;
        menu.push_back(item);
    }
    return menu;
}

} // namespace

// Reads the files of a kit into one catalog, refusing the first fault with its
// file and line.
namespace {

// The fields of a control that need no check beyond their kind.
void copyControlFields(const QJsonObject& c, KitControl& control)
{
    control.id = c[u"id"_s].toString();
    control.label = c[u"label"_s].toString();
    control.text = c[u"text"_s].toString();
    control.tab = c[u"tab"_s].toString();
    control.opens = c[u"opens"_s].toString();
    control.suffix = c[u"suffix"_s].toString();
    control.under = c[u"under"_s].toString();
    control.format = c[u"format"_s].toString();
    control.style = c[u"style"_s].toString();
    control.headers = texts(c[u"headers"_s]);
    control.value = c[u"value"_s];
    control.x = c[u"x"_s].toInt();
    control.y = c[u"y"_s].toInt();
    control.w = c[u"w"_s].toInt();
    control.h = c[u"h"_s].toInt();
    control.columns = c[u"columns"_s].toInt();
    control.pitch = c[u"pitch"_s].toInt();
    control.min = c[u"min"_s].toDouble(0);
    control.max = c[u"max"_s].toDouble(9999);
    control.step = c[u"step"_s].toDouble(1);
    control.editable = c[u"editable"_s].toBool();
    control.doubleClick = c[u"doubleClick"_s].toString();
    control.focus = c[u"focus"_s].toBool();
    control.isDefault = c[u"default"_s].toBool();
    control.turnsInto = c[u"turnsInto"_s].toBool();
    control.gathers = c[u"from"_s].toString();
    control.adds = c[u"adds"_s].toString();
    control.removes = c[u"removes"_s].toString();
    control.raises = c[u"raises"_s].toString();
    control.lowers = c[u"lowers"_s].toString();
    control.defines = c[u"defines"_s].toString();
    control.edits = c[u"edits"_s].toString();
    control.copies = c[u"copies"_s].toString();
    control.deletes = c[u"deletes"_s].toString();
    control.icon = c[u"icon"_s].toString();
    control.after = c[u"after"_s].toString();
    control.beside = c[u"beside"_s].toString();
    control.separatorAbove = c[u"separatorAbove"_s].toBool();
    control.needsEffect = c[u"needsEffect"_s].toBool();
    control.sample = c[u"sample"_s].toString();
    if (c.contains(u"forEffects"_s))
        control.forEffects = texts(c[u"forEffects"_s]);
    control.textNone = c[u"textNone"_s].toString();
    control.effectField = c[u"effectField"_s].toString();
    const QJsonObject effectItems = c[u"effectItems"_s].toObject();
    for (auto it = effectItems.begin(); it != effectItems.end(); ++it)
        control.effectItems[it.key()] = texts(it.value());
}

} // namespace

class KitReader
{
public:
    explicit KitReader(KitCatalog& kit) : m_kit(kit) {}

    bool read(const KitFile& file);
    QString error() const { return m_error; }
    void finish();

private:
    bool fail(const JsonPath& at, const QString& what, int line = 0);
    bool check(const QJsonValue& v, const JsonPath& at, const std::vector<Field>& fields);
    bool checkKind(const QJsonValue& v, const JsonPath& at, Kind kind);
    bool checkDuplicateKeys();
    bool once(const QString& what, const QString& description, const JsonPath& at);

    bool readParts(const QJsonObject& root);
    bool readMenus(const QJsonValue& list, const JsonPath& at, std::vector<KitMenu>& out);
    bool readToolbars(const QJsonObject& bars, const JsonPath& at, const QString& kind,
                      std::map<QString, std::vector<KitButton>>& out);
    bool readGraph(const QJsonValue& v, const JsonPath& at);
    bool readMenuItems(const QJsonValue& list, const JsonPath& at, std::vector<KitMenuItem>& out);
    bool readButton(const QJsonValue& v, const JsonPath& at, KitButton& out);
    bool readForm(const QJsonValue& v, const JsonPath& at, KitForm& form);
    bool readFormPart(const QString& name, bool dialog, const QJsonValue& v, const JsonPath& at);
    bool readControl(const QJsonValue& v, const JsonPath& at, KitControl& control);
    bool readControlItems(const QJsonObject& c, const JsonPath& at, KitControl& control);
    bool readControlMaps(const QJsonObject& c, const JsonPath& at, KitControl& control);
    bool checkReferences(const QJsonObject& o, const JsonPath& at, KitForm& form);
    bool checkControlsNamed(const KitForm& form, const KitControl& c, const JsonPath& here);
    bool checkListsNamed(const KitForm& form, const KitControl& c, const JsonPath& here);
    bool checkOthersNamed(const KitForm& form, const KitControl& c, const JsonPath& here);
    bool readPresets(const QJsonObject& o, const JsonPath& at, KitForm& form);

    KitCatalog& m_kit;
    std::map<QString, std::vector<KitButton>> m_toolbars;
    std::map<QString, std::vector<KitButton>> m_graphToolbars;
    std::map<QString, QString> m_givenIn; // a part of the kit, and the file that gave it
    const KitFile* m_file = nullptr;
    QString m_error;
};

bool KitReader::fail(const JsonPath& at, const QString& what, int line)
{
    if (line <= 0)
        line = jsonLine(m_file->json, at);
    const QString where = jsonPathText(at);
    m_error = u"%1:%2: PowerPoint 套件有误：%3"_s.arg(m_file->name)
                  .arg(line)
                  .arg(where.isEmpty() ? what : where + u' ' + what);
    return false;
}

bool KitReader::checkKind(const QJsonValue& v, const JsonPath& at, Kind kind)
{
    if (!isKind(v, kind))
        return fail(at, kindText(kind));
    if (kind == Kind::Texts || kind == Kind::Objects) {
        const QJsonArray list = v.toArray();
        for (qsizetype i = 0; i < list.size(); ++i) {
            if (!isKind(list[i], kind == Kind::Texts ? Kind::Text : Kind::Object))
                return fail(at / i, kindText(kind == Kind::Texts ? Kind::Text : Kind::Object));
        }
    }
    return true;
}

// Checks that `v` is an object with only the keys of `fields`, each of its kind.
bool KitReader::check(const QJsonValue& v, const JsonPath& at, const std::vector<Field>& fields)
{
    if (!v.isObject())
        return fail(at, kindText(Kind::Object));
    const QJsonObject o = v.toObject();
    for (auto it = o.begin(); it != o.end(); ++it) {
        auto field =
            std::find_if(fields.begin(), fields.end(), [&](const Field& f) { return f.key == it.key(); });
        if (field == fields.end()) {
            QStringList known;
            for (const Field& f : fields)
                known << f.key;
            return fail(at / it.key(), u"是未知的键（可用的键：%1）"_s.arg(known.join(u'、')));
        }
        if (!checkKind(it.value(), at / it.key(), field->kind))
            return false;
    }
    return true;
}

// The reader keeps the later of two members with one key; the kit refuses them.
bool KitReader::checkDuplicateKeys()
{
    std::set<QString> seen;
    JsonPath duplicate;
    int duplicateLine = 0;
    walkJson(m_file->json, [&](const JsonPath& at, int line) {
        if (duplicateLine > 0)
            return false;
        if (!at.empty() && at.back().index < 0) {
            QString key;
            for (const JsonPathStep& step : at)
                key += step.index >= 0 ? u'\x1f' + QString::number(step.index) : u'\x1e' + step.key;
            if (!seen.insert(key).second) {
                duplicate = at;
                duplicateLine = line;
                return false;
            }
        }
        return true;
    });
    return duplicateLine == 0 || fail(duplicate, u"重复出现"_s, duplicateLine);
}

// A part of the kit is given by one file only.
bool KitReader::once(const QString& what, const QString& description, const JsonPath& at)
{
    auto [it, fresh] = m_givenIn.try_emplace(what, m_file->name);
    return fresh || fail(at, u"%1已在 %2 中给出"_s.arg(description, it->second));
}

bool KitReader::readMenuItems(const QJsonValue& list, const JsonPath& at, std::vector<KitMenuItem>& out)
{
    static const std::vector<Field> fields{
        {u"text"_s, Kind::Text},      {u"shortcut"_s, Kind::Text},  {u"opens"_s, Kind::Text},
        {u"separator"_s, Kind::Flag}, {u"disabled"_s, Kind::Flag},  {u"items"_s, Kind::Objects},
        {u"views"_s, Kind::Texts},    {u"selected"_s, Kind::Texts}, {u"icon"_s, Kind::Text},
        {u"columns"_s, Kind::Whole},  {u"link"_s, Kind::Flag},      {u"enabledFor"_s, Kind::Texts},
        {u"withText"_s, Kind::Flag}};
    if (!checkKind(list, at, Kind::Objects))
        return false;
    const QJsonArray items = list.toArray();
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (!check(items[i], at / i, fields))
            return false;
        const QJsonObject o = items[i].toObject();
        KitMenuItem item;
        item.separator = o[u"separator"_s].toBool();
        item.text = o[u"text"_s].toString();
        item.shortcut = o[u"shortcut"_s].toString();
        item.opens = o[u"opens"_s].toString();
        item.disabled = o[u"disabled"_s].toBool();
        item.views = texts(o[u"views"_s]);
        item.selected = texts(o[u"selected"_s]);
        item.enabledFor = texts(o[u"enabledFor"_s]);
        if (o.contains(u"link"_s))
            item.link = o[u"link"_s].toBool();
        if (o.contains(u"withText"_s))
            item.withText = o[u"withText"_s].toBool();
        item.icon = o[u"icon"_s].toString();
        item.columns = o[u"columns"_s].toInt();
        if (!readMenuItems(o[u"items"_s].isUndefined() ? QJsonArray() : o[u"items"_s], at / i / u"items"_s,
                           item.items))
            return false;
        out.push_back(std::move(item));
    }
    return true;
}

bool KitReader::readButton(const QJsonValue& v, const JsonPath& at, KitButton& button)
{
    static const std::vector<Field> fields{
        {u"name"_s, Kind::Text},      {u"icon"_s, Kind::Text},       {u"type"_s, Kind::Text},
        {u"text"_s, Kind::Text},      {u"value"_s, Kind::Text},      {u"opens"_s, Kind::Text},
        {u"width"_s, Kind::Whole},    {u"items"_s, Kind::Array},     {u"editable"_s, Kind::Flag},
        {u"separator"_s, Kind::Flag}, {u"shiftOpens"_s, Kind::Text}, {u"columns"_s, Kind::Whole},
        {u"tooltip"_s, Kind::Text},   {u"holds"_s, Kind::Flag}};
    if (!check(v, at, fields))
        return false;
    const QJsonObject b = v.toObject();
    const QString type = b[u"type"_s].toString(u"button"_s);
    if (type == u"combo"_s)
        button.type = KitButtonType::Combo;
    else if (type == u"color"_s)
        button.type = KitButtonType::Color;
    else if (type != u"button"_s)
        return fail(at / u"type"_s, u"“%1”不是工具栏按钮的类型（可用：button、combo、color）"_s.arg(type));
    button.separator = b[u"separator"_s].toBool();
    button.name = b[u"name"_s].toString();
    button.icon = b[u"icon"_s].toString();
    button.text = b[u"text"_s].toString();
    button.value = b[u"value"_s].toString();
    button.opens = b[u"opens"_s].toString();
    button.shiftOpens = b[u"shiftOpens"_s].toString();
    button.tooltip = b[u"tooltip"_s].toString();
    button.width = b[u"width"_s].toInt();
    button.columns = b[u"columns"_s].toInt();
    button.editable = b[u"editable"_s].toBool();
    button.holds = b[u"holds"_s].toBool();
    if (b.contains(u"items"_s)) {
        // A drop-down box lists values, a button with an arrow a menu.
        if (button.type == KitButtonType::Combo) {
            if (!checkKind(b[u"items"_s], at / u"items"_s, Kind::Texts))
                return false;
            button.values = texts(b[u"items"_s]);
        } else if (!readMenuItems(b[u"items"_s], at / u"items"_s, button.items)) {
            return false;
        }
    }
    return true;
}

// "items": a list of texts, or the name of a list the presentation gives ("slides" is short for
// [ "@slides" ]).
bool KitReader::readControlItems(const QJsonObject& c, const JsonPath& at, KitControl& control)
{
    if (c[u"items"_s].isString()) {
        const QString from = c[u"items"_s].toString();
        if (!presentationLists().contains(from))
            return fail(at / u"items"_s, u"“%1”不是演示文稿给出的列表（可用：%2）"_s.arg(
                                             from, presentationLists().join(u'、')));
        control.items = {u"@"_s + from};
    } else if (c.contains(u"items"_s)) {
        if (!checkKind(c[u"items"_s], at / u"items"_s, Kind::Texts))
            return false;
        control.items = texts(c[u"items"_s]);
        for (qsizetype i = 0; i < control.items.size(); ++i) {
            const QString& item = control.items[i];
            if (item.startsWith(u'@') && !presentationLists().contains(item.mid(1)))
                return fail(at / u"items"_s / i, u"“%1”不是演示文稿给出的列表（可用：@%2）"_s.arg(
                                                     item, presentationLists().join(u"、@"_s)));
        }
    }
    return true;
}

// The values by another control's choice: the steps of a spin box, what an item opens, the lists
// that follow a choice, the values a choice fixes.
bool KitReader::readControlMaps(const QJsonObject& c, const JsonPath& at, KitControl& control)
{
    const QJsonObject steps = c[u"stepFor"_s].toObject();
    for (auto it = steps.begin(); it != steps.end(); ++it) {
        const JsonPath other = at / u"stepFor"_s / it.key();
        if (!checkKind(it.value(), other, Kind::Object))
            return false;
        const QJsonObject byValue = it.value().toObject();
        for (auto value = byValue.begin(); value != byValue.end(); ++value) {
            if (!checkKind(value.value(), other / value.key(), Kind::Number))
                return false;
            control.stepFor[it.key()][value.key()] = value.value().toDouble();
        }
    }
    const QJsonObject opens = c[u"itemOpens"_s].toObject();
    for (auto it = opens.begin(); it != opens.end(); ++it) {
        if (!checkKind(it.value(), at / u"itemOpens"_s / it.key(), Kind::Text))
            return false;
        control.itemOpens[it.key()] = it.value().toString();
    }
    const QJsonObject itemsFor = c[u"itemsFor"_s].toObject();
    for (auto it = itemsFor.begin(); it != itemsFor.end(); ++it) {
        const JsonPath other = at / u"itemsFor"_s / it.key();
        if (!checkKind(it.value(), other, Kind::Object))
            return false;
        const QJsonObject lists = it.value().toObject();
        for (auto item = lists.begin(); item != lists.end(); ++item) {
            if (!checkKind(item.value(), other / item.key(), Kind::Texts))
                return false;
            control.itemsFor[it.key()][item.key()] = texts(item.value());
        }
    }
    const Kind valueKind = control.type == KitControlType::Check ? Kind::Flag : Kind::Text;
    const QJsonObject fixedFor = c[u"fixedFor"_s].toObject();
    for (auto it = fixedFor.begin(); it != fixedFor.end(); ++it) {
        const JsonPath other = at / u"fixedFor"_s / it.key();
        if (!checkKind(it.value(), other, Kind::Object))
            return false;
        const QJsonObject values = it.value().toObject();
        for (auto item = values.begin(); item != values.end(); ++item) {
            // "@own": greyed at whatever value it holds (页眉和页脚's 页脚 box while 页脚 is unticked).
            if (item.value().toString() != kHoldsOwnValue &&
                !checkKind(item.value(), other / item.key(), valueKind))
                return false;
            control.fixedFor[it.key()][item.key()] = item.value().isBool()
                                                         ? (item.value().toBool() ? u"on"_s : u"off"_s)
                                                         : item.value().toString();
        }
    }
    return true;
}

bool KitReader::readControl(const QJsonValue& v, const JsonPath& at, KitControl& control)
{
    static const std::vector<Field> fields{{u"type"_s, Kind::Text},        {u"id"_s, Kind::Text},
                                           {u"label"_s, Kind::Text},       {u"text"_s, Kind::Text},
                                           {u"tab"_s, Kind::Text},         {u"opens"_s, Kind::Text},
                                           {u"suffix"_s, Kind::Text},      {u"under"_s, Kind::Text},
                                           {u"format"_s, Kind::Text},      {u"style"_s, Kind::Text},
                                           {u"items"_s, Kind::Any},        {u"headers"_s, Kind::Texts},
                                           {u"itemOpens"_s, Kind::Object}, {u"itemsFor"_s, Kind::Object},
                                           {u"value"_s, Kind::Any},        {u"fixedFor"_s, Kind::Object},
                                           {u"pitch"_s, Kind::Whole},      {u"x"_s, Kind::Whole},
                                           {u"y"_s, Kind::Whole},          {u"w"_s, Kind::Whole},
                                           {u"h"_s, Kind::Whole},          {u"columns"_s, Kind::Whole},
                                           {u"min"_s, Kind::Number},       {u"max"_s, Kind::Number},
                                           {u"step"_s, Kind::Number},      {u"editable"_s, Kind::Flag},
                                           {u"doubleClick"_s, Kind::Text}, {u"focus"_s, Kind::Flag},
                                           {u"icon"_s, Kind::Text},        {u"default"_s, Kind::Flag},
                                           {u"turnsInto"_s, Kind::Flag},   {u"from"_s, Kind::Text},
                                           {u"adds"_s, Kind::Text},        {u"removes"_s, Kind::Text},
                                           {u"defines"_s, Kind::Text},     {u"stepFor"_s, Kind::Object},
                                           {u"raises"_s, Kind::Text},      {u"lowers"_s, Kind::Text},
                                           {u"after"_s, Kind::Text},       {u"edits"_s, Kind::Text},
                                           {u"copies"_s, Kind::Text},      {u"deletes"_s, Kind::Text},
                                           {u"beside"_s, Kind::Text},      {u"separatorAbove"_s, Kind::Flag},
                                           {u"needsEffect"_s, Kind::Flag}, {u"forEffects"_s, Kind::Texts},
                                           {u"textNone"_s, Kind::Text},    {u"effectItems"_s, Kind::Object},
                                           {u"effectField"_s, Kind::Text}, {u"sample"_s, Kind::Text}};
    if (!check(v, at, fields))
        return false;
    const QJsonObject c = v.toObject();
    if (!c.contains(u"type"_s))
        return fail(at, u"缺少控件类型 type"_s);
    const std::optional<KitControlType> type = KitCatalog::controlType(c[u"type"_s].toString());
    if (!type) {
        QStringList known;
        for (int t = int(KitControlType::Label); t <= int(KitControlType::Swatch); ++t)
            known << KitCatalog::controlTypeName(KitControlType(t));
        return fail(at / u"type"_s,
                    u"“%1”不是控件类型（可用：%2）"_s.arg(c[u"type"_s].toString(), known.join(u'、')));
    }
    control.type = *type;
    if (c.contains(u"style"_s) && !stylesOf(control.type).contains(c[u"style"_s].toString())) {
        const QStringList styles = stylesOf(control.type);
        return fail(at / u"style"_s,
                    u"“%1”不是%2的样式（可用：%3）"_s.arg(c[u"style"_s].toString(), c[u"type"_s].toString(),
                                                          styles.isEmpty() ? u"无"_s : styles.join(u'、')));
    }
    if (const QString sample = c[u"sample"_s].toString();
        c.contains(u"sample"_s) &&
        !QStringList{u"footers"_s, u"fill"_s, u"album"_s, u"background"_s}.contains(sample))
        return fail(at / u"sample"_s,
                    u"“%1”不是示例图（可用：footers、fill、album、background）"_s.arg(sample));
    if (c.contains(u"value"_s)) {
        const Kind kind = control.type == KitControlType::Check  ? Kind::Flag
                          : control.type == KitControlType::Spin ? Kind::Number
                                                                 : Kind::Text;
        if (!checkKind(c[u"value"_s], at / u"value"_s, kind))
            return false;
    }
    if (!readControlItems(c, at, control) || !readControlMaps(c, at, control))
        return false;
    copyControlFields(c, control);
    if (control.type == KitControlType::Tabs && control.id.isEmpty())
        control.id = u"标签"_s;
    return true;
}

// `form.name` and `form.dialog` are set by the caller.
bool KitReader::readForm(const QJsonValue& v, const JsonPath& at, KitForm& form)
{
    static const std::vector<Field> fields{{u"title"_s, Kind::Text},      {u"width"_s, Kind::Whole},
                                           {u"height"_s, Kind::Whole},    {u"controls"_s, Kind::Objects},
                                           {u"like"_s, Kind::Text},       {u"presets"_s, Kind::Object},
                                           {u"asksToSave"_s, Kind::Flag}, {u"message"_s, Kind::Flag}};
    if (!check(v, at, fields))
        return false;
    const QJsonObject o = v.toObject();
    form.title = o[u"title"_s].toString();
    form.like = o[u"like"_s].toString();
    form.asksToSave = o[u"asksToSave"_s].toBool();
    form.message = o[u"message"_s].toBool();
    form.width = o[u"width"_s].toInt(form.dialog ? 400 : 200);
    form.height = o[u"height"_s].toInt(form.dialog ? 300 : 0);
    const QJsonArray controls = o[u"controls"_s].toArray();
    for (qsizetype i = 0; i < controls.size(); ++i) {
        KitControl control;
        if (!readControl(controls[i], at / u"controls"_s / i, control))
            return false;
        form.controls.push_back(std::move(control));
    }
    return checkReferences(o, at, form);
}

// The controls whose items, fixed values or steps a control sets.
bool KitReader::checkControlsNamed(const KitForm& form, const KitControl& c, const JsonPath& here)
{
    for (const auto& [other, lists] : c.itemsFor) {
        if (!form.control(other))
            return fail(here / u"itemsFor"_s / other, u"不是本窗体的控件"_s);
    }
    for (const auto& [other, values] : c.fixedFor) {
        if (!form.control(other))
            return fail(here / u"fixedFor"_s / other, u"不是本窗体的控件"_s);
    }
    for (const auto& [other, steps] : c.stepFor) {
        if (!form.control(other))
            return fail(here / u"stepFor"_s / other, u"不是本窗体的控件"_s);
    }
    return true;
}

// The lists a control gathers from, fills, reorders, or whose custom shows it edits.
bool KitReader::checkListsNamed(const KitForm& form, const KitControl& c, const JsonPath& here)
{
    const auto isList = [&](const QString& id) {
        const KitControl* list = form.control(id);
        return list && list->type == KitControlType::List;
    };
    // "<dialog>/<list>" names a list of another dialog; the whole kit is needed to check it.
    if (!c.gathers.isEmpty() && !c.gathers.contains(u'/') && !isList(c.gathers))
        return fail(here / u"from"_s, u"不是本窗体的列表"_s);
    for (const auto& [key, id] : {std::pair{u"adds"_s, c.adds}, std::pair{u"removes"_s, c.removes},
                                  std::pair{u"raises"_s, c.raises}, std::pair{u"lowers"_s, c.lowers}}) {
        if (key == u"adds"_s && id.contains(u'/'))
            continue;
        if (!id.isEmpty() && (!isList(id) || form.control(id)->gathers.isEmpty()))
            return fail(here / key, u"不是本窗体中由按钮填入的列表"_s);
    }
    for (const auto& [key, id] : {std::pair{u"edits"_s, c.edits}, std::pair{u"copies"_s, c.copies},
                                  std::pair{u"deletes"_s, c.deletes}}) {
        if (!id.isEmpty() && (!isList(id) || !form.control(id)->items.contains(u"@shows"_s)))
            return fail(here / key, u"不是本窗体中列出自定义放映的列表"_s);
    }
    return true;
}

// The button a control comes after, the text box naming what it defines, and a
// colour field's spin boxes.
bool KitReader::checkOthersNamed(const KitForm& form, const KitControl& c, const JsonPath& here)
{
    if (!c.after.isEmpty()) {
        const KitControl* button = form.control(c.after);
        if (!button || button->type != KitControlType::Button)
            return fail(here / u"after"_s, u"不是本窗体的按钮"_s);
    }
    static const QStringList effectFields{
        u"start"_s,   u"speed"_s, u"direction"_s,      u"delay"_s,       u"repeat"_s,       u"rewind"_s,
        u"reverse"_s, u"sound"_s, u"afterAnimation"_s, u"animateText"_s, u"textGrouping"_s, u"trigger"_s};
    if (!c.effectField.isEmpty() && !effectFields.contains(c.effectField))
        return fail(here / u"effectField"_s,
                    u"“%1”不是动画效果的字段（可用：%2）"_s.arg(c.effectField, effectFields.join(u'、')));
    if (!c.beside.isEmpty() && (!form.control(c.beside) || form.dialog))
        return fail(here / u"beside"_s, u"不是本任务窗格的控件"_s);
    if (!c.defines.isEmpty()) {
        const KitControl* name = form.control(c.defines);
        if (!name || name->type != KitControlType::Text)
            return fail(here / u"defines"_s, u"不是本窗体的文本框"_s);
    }
    if (c.type == KitControlType::Spectrum) {
        for (qsizetype k = 0; k < c.items.size(); ++k) {
            const KitControl* spin = form.control(c.items[k]);
            if (!spin || spin->type != KitControlType::Spin)
                return fail(here / u"items"_s / k, u"不是本窗体的数值框"_s);
        }
        if (c.items.size() != 3)
            return fail(here / u"items"_s, u"应列出红色、绿色、蓝色三个数值框"_s);
    }
    return true;
}

// A command's preset values: each a text, for a control of the form (or of the
// form it is like), and one the control can hold.
bool KitReader::readPresets(const QJsonObject& o, const JsonPath& at, KitForm& form)
{
    const QJsonObject presets = o[u"presets"_s].toObject();
    for (auto it = presets.begin(); it != presets.end(); ++it) {
        const JsonPath command = at / u"presets"_s / it.key();
        if (!checkKind(it.value(), command, Kind::Object))
            return false;
        const QJsonObject values = it.value().toObject();
        for (auto value = values.begin(); value != values.end(); ++value) {
            const JsonPath where = command / value.key();
            if (!checkKind(value.value(), where, Kind::Text))
                return false;
            const QString text = value.value().toString();
            const KitControl* c = form.control(value.key());
            if (form.like.isEmpty() && !c)
                return fail(where, u"不是本窗体的控件"_s);
            if (c && c->type == KitControlType::Check && text != u"on"_s && text != u"off"_s)
                return fail(where, u"复选框的值只能是 on 或 off"_s);
            const bool chosen = c && (c->type == KitControlType::List || c->type == KitControlType::Options ||
                                      c->type == KitControlType::Color || c->type == KitControlType::Tabs ||
                                      (c->type == KitControlType::Combo && !c->editable));
            if (chosen && !c->items.contains(text))
                return fail(where, u"“%1”中没有“%2”"_s.arg(value.key(), text));
            form.presets[it.key()][value.key()] = text;
        }
    }
    return true;
}

// The controls that others name (a list following another, a preset value, the
// spin boxes a colour field shows) are controls of the same form.
bool KitReader::checkReferences(const QJsonObject& o, const JsonPath& at, KitForm& form)
{
    for (size_t i = 0; i < form.controls.size(); ++i) {
        const KitControl& c = form.controls[i];
        const JsonPath here = at / u"controls"_s / static_cast<qsizetype>(i);
        if (!checkControlsNamed(form, c, here) || !checkListsNamed(form, c, here) ||
            !checkOthersNamed(form, c, here))
            return false;
    }
    return readPresets(o, at, form);
}

bool KitReader::readFormPart(const QString& name, bool dialog, const QJsonValue& v, const JsonPath& at)
{
    const QString description = (dialog ? u"对话框“%1”"_s : u"任务窗格“%1”"_s).arg(name);
    KitForm form;
    form.name = name;
    form.dialog = dialog;
    if (!once((dialog ? u"dialog:"_s : u"taskpane:"_s) + name, description, at) || !readForm(v, at, form))
        return false;
    (dialog ? m_kit.m_dialogs : m_kit.m_taskPanes)[name] = std::move(form);
    return true;
}

bool KitReader::readMenus(const QJsonValue& list, const JsonPath& at, std::vector<KitMenu>& out)
{
    if (!checkKind(list, at, Kind::Objects))
        return false;
    const QJsonArray menus = list.toArray();
    for (qsizetype i = 0; i < menus.size(); ++i) {
        if (!check(menus[i], at / i, {{u"title"_s, Kind::Text}, {u"items"_s, Kind::Objects}}))
            return false;
        KitMenu menu{menus[i][u"title"_s].toString(), {}};
        if (!readMenuItems(menus[i][u"items"_s].isUndefined() ? QJsonArray() : menus[i][u"items"_s],
                           at / i / u"items"_s, menu.items))
            return false;
        out.push_back(std::move(menu));
    }
    return true;
}

bool KitReader::readToolbars(const QJsonObject& bars, const JsonPath& at, const QString& kind,
                             std::map<QString, std::vector<KitButton>>& out)
{
    for (auto it = bars.begin(); it != bars.end(); ++it) {
        const JsonPath here = at / it.key();
        if (!once(kind + it.key(), u"工具栏“%1”"_s.arg(it.key()), here) ||
            !checkKind(it.value(), here, Kind::Objects))
            return false;
        std::vector<KitButton>& buttons = out[it.key()];
        const QJsonArray list = it.value().toArray();
        for (qsizetype i = 0; i < list.size(); ++i) {
            KitButton button;
            if (!readButton(list[i], here / i, button))
                return false;
            buttons.push_back(std::move(button));
        }
    }
    return true;
}

// Microsoft Graph in place: its datasheet (a dialog of the kit), its menu bar and its toolbars.
bool KitReader::readGraph(const QJsonValue& v, const JsonPath& at)
{
    if (!once(u"graph"_s, u"Microsoft Graph"_s, at) ||
        !check(v, at,
               {{u"datasheet"_s, Kind::Text}, {u"menus"_s, Kind::Objects}, {u"toolbars"_s, Kind::Object}}))
        return false;
    const QJsonObject graph = v.toObject();
    m_kit.m_graphDatasheet = graph[u"datasheet"_s].toString();
    if (graph.contains(u"menus"_s) && !readMenus(graph[u"menus"_s], at / u"menus"_s, m_kit.m_graphMenus))
        return false;
    return readToolbars(graph[u"toolbars"_s].toObject(), at / u"toolbars"_s, u"graphtoolbar:"_s,
                        m_graphToolbars);
}

bool KitReader::readParts(const QJsonObject& root)
{
    static const std::vector<Field> fields{{u"menus"_s, Kind::Objects},       {u"toolbars"_s, Kind::Object},
                                           {u"contextmenus"_s, Kind::Object}, {u"keys"_s, Kind::Objects},
                                           {u"icons"_s, Kind::Texts},         {u"taskpanes"_s, Kind::Object},
                                           {u"dialogs"_s, Kind::Object},      {u"graph"_s, Kind::Object}};
    if (!check(root, {}, fields))
        return false;
    const JsonPath top;
    if (root.contains(u"menus"_s)) {
        if (!once(u"menus"_s, u"菜单栏"_s, top / u"menus"_s) ||
            !readMenus(root[u"menus"_s], top / u"menus"_s, m_kit.m_menus))
            return false;
    }
    if (!readToolbars(root[u"toolbars"_s].toObject(), top / u"toolbars"_s, u"toolbar:"_s, m_toolbars))
        return false;
    if (root.contains(u"graph"_s) && !readGraph(root[u"graph"_s], top / u"graph"_s))
        return false;
    const QJsonObject contexts = root[u"contextmenus"_s].toObject();
    for (auto it = contexts.begin(); it != contexts.end(); ++it) {
        const JsonPath at = top / u"contextmenus"_s / it.key();
        if (!once(u"context:"_s + it.key(), u"“%1”处的快捷菜单"_s.arg(it.key()), at) ||
            !readMenuItems(it.value(), at, m_kit.m_contextMenus[it.key()]))
            return false;
    }
    if (root.contains(u"keys"_s)) {
        if (!once(u"keys"_s, u"快捷键"_s, top / u"keys"_s))
            return false;
        const QJsonArray keys = root[u"keys"_s].toArray();
        for (qsizetype i = 0; i < keys.size(); ++i) {
            if (!check(keys[i], top / u"keys"_s / i,
                       {{u"key"_s, Kind::Text}, {u"name"_s, Kind::Text}, {u"opens"_s, Kind::Text}}))
                return false;
            const QJsonObject k = keys[i].toObject();
            m_kit.m_keys.push_back({KitCatalog::normalizeShortcut(k[u"key"_s].toString()),
                                    k[u"name"_s].toString(), k[u"opens"_s].toString()});
        }
    }
    if (root.contains(u"icons"_s)) {
        if (!once(u"icons"_s, u"图标表"_s, top / u"icons"_s))
            return false;
        m_kit.m_icons = texts(root[u"icons"_s]);
    }
    for (const bool dialog : {false, true}) {
        const QString part = dialog ? u"dialogs"_s : u"taskpanes"_s;
        const QJsonObject forms = root[part].toObject();
        for (auto it = forms.begin(); it != forms.end(); ++it) {
            if (!readFormPart(it.key(), dialog, it.value(), top / part / it.key()))
                return false;
        }
    }
    return true;
}

bool KitReader::read(const KitFile& file)
{
    m_file = &file;
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(file.json, &error);
    if (error.error != QJsonParseError::NoError)
        return fail({}, u"不是有效的 JSON（第 %1 个字节处：%2）"_s.arg(error.offset).arg(error.errorString()),
                    lineAtOffset(file.json, error.offset));
    if (!doc.isObject())
        return fail({}, u"应为 JSON 对象"_s, 1);
    if (!checkDuplicateKeys())
        return false;
    // "dialogs/字体.json" is the dialog 字体, "taskpanes/幻灯片切换.json" that task pane.
    const QString folder = file.name.section(u'/', -2, -2);
    if (folder == u"dialogs"_s || folder == u"taskpanes"_s) {
        QString name = file.name.section(u'/', -1);
        name.chop(name.endsWith(u".json"_s) ? 5 : 0);
        return readFormPart(name, folder == u"dialogs"_s, doc.object(), {});
    }
    return readParts(doc.object());
}

void KitReader::finish()
{
    // 常用, 格式 and 绘图 first, as the window shows them; the others by name.
    for (const QString& name : {u"常用"_s, u"格式"_s, u"绘图"_s}) {
        if (auto it = m_toolbars.find(name); it != m_toolbars.end()) {
            m_kit.m_toolbars.emplace_back(name, std::move(it->second));
            m_toolbars.erase(it);
        }
    }
    for (auto& [name, buttons] : m_toolbars)
        m_kit.m_toolbars.emplace_back(name, std::move(buttons));
    m_toolbars.clear();
    for (const QString& name : {u"常用"_s, u"格式"_s}) {
        if (auto it = m_graphToolbars.find(name); it != m_graphToolbars.end()) {
            m_kit.m_graphToolbars.emplace_back(name, std::move(it->second));
            m_graphToolbars.erase(it);
        }
    }
    for (auto& [name, buttons] : m_graphToolbars)
        m_kit.m_graphToolbars.emplace_back(name, std::move(buttons));
    m_graphToolbars.clear();
}

Result<KitCatalog> KitCatalog::load(const std::vector<KitFile>& files)
{
    KitCatalog kit;
    KitReader reader(kit);
    for (const KitFile& file : files) {
        if (!reader.read(file))
            return Result<KitCatalog>::failure(reader.error());
    }
    reader.finish();
    // Graph's menus that it leaves to PowerPoint (文件, 窗口) are given without items: they are
    // PowerPoint's menus of that title.
    for (KitMenu& menu : kit.m_graphMenus) {
        if (!menu.items.empty())
            continue;
        const auto own = std::find_if(kit.m_menus.begin(), kit.m_menus.end(),
                                      [&](const KitMenu& m) { return m.title == menu.title; });
        if (own == kit.m_menus.end())
            return Result<KitCatalog>::failure(
                u"PowerPoint 套件有误：Microsoft Graph 的菜单“%1”没有命令，PowerPoint 也没有这个菜单"_s.arg(
                    menu.title));
        menu.items = own->items;
    }
    if (!kit.m_graphDatasheet.isEmpty() && !kit.m_dialogs.count(kit.m_graphDatasheet))
        return Result<KitCatalog>::failure(
            u"PowerPoint 套件有误：Microsoft Graph 的数据表“%1”不是对话框"_s.arg(kit.m_graphDatasheet));
    // A dialog "like" another has its pages and controls under its own title
    // (设置占位符格式 is 设置自选图形格式 for a placeholder).
    for (auto& [name, form] : kit.m_dialogs) {
        if (form.like.isEmpty())
            continue;
        auto model = kit.m_dialogs.find(form.like);
        if (model == kit.m_dialogs.end() || !model->second.like.isEmpty())
            return Result<KitCatalog>::failure(
                u"PowerPoint 套件有误：对话框“%1”仿照的“%2”不存在"_s.arg(name, form.like));
        form.controls = model->second.controls;
        form.width = model->second.width;
        form.height = model->second.height;
        for (const auto& [command, values] : form.presets) {
            for (const auto& [id, value] : values) {
                if (!form.control(id))
                    return Result<KitCatalog>::failure(
                        u"PowerPoint 套件有误：对话框“%1”的 presets 中“%2”不是它的控件"_s.arg(name, id));
            }
        }
        if (form.presets.empty())
            form.presets = model->second.presets;
    }
    // A list filled from a dialog it opens (相册's pictures, from 插入新图片's files).
    const auto otherList = [&kit](const QString& path) -> const KitControl* {
        const auto dialog = kit.m_dialogs.find(path.section(u'/', 0, 0));
        const KitControl* list =
            dialog == kit.m_dialogs.end() ? nullptr : dialog->second.control(path.section(u'/', 1));
        return list && list->type == KitControlType::List ? list : nullptr;
    };
    for (const auto& [name, form] : kit.m_dialogs) {
        for (const KitControl& c : form.controls) {
            if ((c.gathers.contains(u'/') && !otherList(c.gathers)) ||
                (c.adds.contains(u'/') && (!otherList(c.adds) || otherList(c.adds)->gathers.isEmpty())))
                return Result<KitCatalog>::failure(
                    u"PowerPoint 套件有误：对话框“%1”的“%2”所指的另一对话框的列表不存在"_s.arg(name, c.id));
        }
    }
    for (auto& [name, pane] : kit.m_taskPanes) {
        for (KitControl& owner : pane.controls) {
            if (owner.type == KitControlType::Button)
                owner.menu = paneButtonMenu(pane, owner.id);
            else if (owner.type == KitControlType::List)
                owner.menu = paneListMenu(pane, owner.id);
        }
    }
    return kit;
}

Result<KitCatalog> KitCatalog::parse(const QByteArray& json, const QString& fileName)
{
    return load({{fileName, json}});
}

std::vector<KitFile> KitCatalog::filesIn(const QString& folder)
{
    const QString root = QDir(folder).absolutePath() + u'/';
    std::vector<KitFile> files;
    QDirIterator it(root, {u"*.json"_s}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (file.open(QIODevice::ReadOnly))
            files.push_back({file.fileName().mid(root.size()), file.readAll()});
    }
    std::sort(files.begin(), files.end(), [](const KitFile& a, const KitFile& b) { return a.name < b.name; });
    return files;
}

} // namespace pptdrill

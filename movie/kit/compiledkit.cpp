#include "movie/kit/kitcatalog.h"

#include <QDataStream>
#include <QIODevice>
#include <QJsonValue>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

using namespace Qt::Literals::StringLiterals;

// The kit in the form the build writes once it has read and checked the kit's
// files (kitcompile): a QDataStream of the catalog's parts, read back at start
// without parsing JSON or checking anything again.
namespace pptdrill {

namespace {

constexpr quint32 kMagic = 0x4b495431; // "KIT1"
// Raised whenever a kit structure gains, loses or reorders a field.
constexpr quint32 kFormatVersion = 5;

template <typename T> void put(QDataStream& out, const std::vector<T>& list);
template <typename K, typename V> void put(QDataStream& out, const std::map<K, V>& map);
template <typename A, typename B> void put(QDataStream& out, const std::pair<A, B>& pair);
template <typename T> void get(QDataStream& in, std::vector<T>& list);
template <typename K, typename V> void get(QDataStream& in, std::map<K, V>& map);
template <typename A, typename B> void get(QDataStream& in, std::pair<A, B>& pair);

template <typename T> void put(QDataStream& out, const T& value)
{
    out << value;
}

template <typename T> void get(QDataStream& in, T& value)
{
    in >> value;
}

template <typename T> void put(QDataStream& out, const std::optional<T>& value)
{
    out << bool(value);
    if (value)
        out << *value;
}

template <typename T> void get(QDataStream& in, std::optional<T>& value)
{
    bool present = false;
    in >> present;
    value.reset();
    if (present)
        in >> value.emplace();
}

template <typename E> void putEnum(QDataStream& out, E value)
{
    out << qint32(value);
}

template <typename E> void getEnum(QDataStream& in, E& value)
{
    qint32 v = 0;
    in >> v;
    value = E(v);
}

// Each structure's fields, in one list for writing and reading.
template <typename Stream, typename Item> void fields(Stream& s, Item& i, KitMenuItem*)
{
    s(i.text, i.shortcut, i.opens, i.icon, i.separator, i.disabled, i.views, i.selected, i.enabledFor, i.link,
      i.withText, i.items, i.columns, i.control, i.value);
}

template <typename Stream, typename Item> void fields(Stream& s, Item& m, KitMenu*)
{
    s(m.title, m.items);
}

template <typename Stream, typename Item> void fields(Stream& s, Item& b, KitButton*)
{
    s(b.name, b.items, b.values, b.editable, b.icon, b.type, b.text, b.value, b.opens, b.shiftOpens,
      b.tooltip, b.width, b.columns, b.separator, b.holds);
}

template <typename Stream, typename Item> void fields(Stream& s, Item& c, KitControl*)
{
    s(c.type, c.id, c.label, c.text, c.tab, c.opens, c.suffix, c.doubleClick, c.focus, c.isDefault,
      c.turnsInto, c.gathers, c.adds, c.removes, c.raises, c.lowers, c.defines, c.edits, c.copies, c.deletes,
      c.after);
    s(c.stepFor, c.items, c.headers, c.itemOpens, c.value, c.under, c.beside, c.separatorAbove, c.needsEffect,
      c.forEffects, c.effectField, c.effectItems, c.textNone, c.sample);
    s(c.format, c.style, c.icon, c.menu, c.itemsFor, c.fixedFor, c.x, c.y, c.w, c.h, c.columns, c.pitch,
      c.min, c.max, c.step, c.editable);
}

template <typename Stream, typename Item> void fields(Stream& s, Item& f, KitForm*)
{
    s(f.name, f.title, f.like, f.dialog, f.asksToSave, f.width, f.height, f.controls, f.presets, f.message);
}

template <typename Stream, typename Item> void fields(Stream& s, Item& k, KitKey*)
{
    s(k.key, k.name, k.opens);
}

struct Writer
{
    QDataStream& out;
    template <typename... T> void operator()(const T&... values) { (write(values), ...); }
    template <typename T> void write(const T& value)
    {
        if constexpr (std::is_enum_v<T>)
            putEnum(out, value);
        else if constexpr (requires { fields(*this, value, static_cast<T*>(nullptr)); })
            fields(*this, value, static_cast<T*>(nullptr));
        else
            put(out, value);
    }
};

struct Reader
{
    QDataStream& in;
    template <typename... T> void operator()(T&... values) { (read(values), ...); }
    template <typename T> void read(T& value)
    {
        if constexpr (std::is_enum_v<T>)
            getEnum(in, value);
        else if constexpr (requires { fields(*this, value, static_cast<T*>(nullptr)); })
            fields(*this, value, static_cast<T*>(nullptr));
        else
            get(in, value);
    }
};

template <typename T> void put(QDataStream& out, const std::vector<T>& list)
{
    out << quint32(list.size());
    Writer w{out};
    for (const T& item : list)
        w.write(item);
}

template <typename K, typename V> void put(QDataStream& out, const std::map<K, V>& map)
{
    out << quint32(map.size());
    Writer w{out};
    for (const auto& [key, value] : map) {
        w.write(key);
        w.write(value);
    }
}

template <typename A, typename B> void put(QDataStream& out, const std::pair<A, B>& pair)
{
    Writer w{out};
    w.write(pair.first);
    w.write(pair.second);
}

template <typename T> void get(QDataStream& in, std::vector<T>& list)
{
    quint32 size = 0;
    in >> size;
    list.clear();
    // Each item takes at least a byte, so a damaged count cannot reserve much.
    list.reserve(std::min<qint64>(size, in.device()->bytesAvailable()));
    Reader r{in};
    for (quint32 i = 0; i < size && in.status() == QDataStream::Ok; ++i)
        r.read(list.emplace_back());
}

template <typename K, typename V> void get(QDataStream& in, std::map<K, V>& map)
{
    quint32 size = 0;
    in >> size;
    map.clear();
    Reader r{in};
    for (quint32 i = 0; i < size && in.status() == QDataStream::Ok; ++i) {
        K key;
        r.read(key);
        r.read(map[key]);
    }
}

template <typename A, typename B> void get(QDataStream& in, std::pair<A, B>& pair)
{
    Reader r{in};
    r.read(pair.first);
    r.read(pair.second);
}

} // namespace

namespace {

QByteArray compiledForm(const KitForm& form)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_4);
    Writer{out}.write(form);
    return bytes;
}

std::map<QString, QByteArray> compiledForms(const std::map<QString, KitForm>& forms)
{
    std::map<QString, QByteArray> compiled;
    for (const auto& [name, form] : forms)
        compiled[name] = compiledForm(form);
    return compiled;
}

// The dialogs and panes: first every name with its size, then the forms one
// after another, so that finding them at start reads only the names (the
// forms' pages stay untouched until a form is asked for).
void writeForms(QDataStream& out, const std::vector<std::map<QString, QByteArray>>& groups)
{
    for (const auto& forms : groups) {
        out << quint32(forms.size());
        for (const auto& [name, bytes] : forms)
            out << name << quint32(bytes.size());
    }
    for (const auto& forms : groups) {
        for (const auto& [name, bytes] : forms)
            out.writeRawData(bytes.constData(), int(bytes.size()));
    }
}

// The forms as writeForms wrote them, each form's bytes a view of `bytes`.
bool readForms(QDataStream& in, const QByteArray& bytes,
               const std::vector<std::map<QString, QByteArray>*>& groups)
{
    std::vector<std::vector<std::pair<QString, quint32>>> index(groups.size());
    for (auto& names : index) {
        quint32 count = 0;
        in >> count;
        for (quint32 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
            QString name;
            quint32 size = 0;
            in >> name >> size;
            names.emplace_back(name, size);
        }
    }
    if (in.status() != QDataStream::Ok)
        return false;
    qint64 at = in.device()->pos();
    for (size_t g = 0; g < groups.size(); ++g) {
        for (const auto& [name, size] : index[g]) {
            if (at + qint64(size) > bytes.size())
                return false;
            (*groups[g])[name] = QByteArray::fromRawData(bytes.constData() + at, size);
            at += size;
        }
    }
    return at == bytes.size();
}

[[noreturn]] void damagedKit()
{
    std::fprintf(stderr, "%s\n", "PowerPoint 套件的编译文件已损坏");
    std::abort();
}

} // namespace

QByteArray KitCatalog::compiled() const
{
    readEveryForm();
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_4);
    out << kMagic << kFormatVersion;
    Writer w{out};
    w(m_menus, m_toolbars, m_contextMenus, m_keys, m_icons, m_graphMenus, m_graphToolbars, m_graphDatasheet);
    writeForms(out, {compiledForms(m_taskPanes), compiledForms(m_dialogs)});
    return bytes;
}

Result<KitCatalog> KitCatalog::fromCompiled(const QByteArray& bytes)
{
    QDataStream in(bytes);
    in.setVersion(QDataStream::Qt_6_4);
    quint32 magic = 0;
    quint32 version = 0;
    in >> magic >> version;
    if (magic != kMagic || version != kFormatVersion)
        return Result<KitCatalog>::failure(u"PowerPoint 套件的编译文件不是这一版本的"_s);
    KitCatalog kit;
    Reader r{in};
    r(kit.m_menus, kit.m_toolbars, kit.m_contextMenus, kit.m_keys, kit.m_icons, kit.m_graphMenus,
      kit.m_graphToolbars, kit.m_graphDatasheet);
    // The forms stay where the bytes are until they are asked for.
    kit.m_compiledBytes = bytes;
    if (in.status() != QDataStream::Ok ||
        !readForms(in, bytes, {&kit.m_compiledTaskPanes, &kit.m_compiledDialogs}))
        return Result<KitCatalog>::failure(u"PowerPoint 套件的编译文件已损坏"_s);
    return kit;
}

const KitForm* KitCatalog::formNamed(const QString& name, std::map<QString, KitForm>& forms,
                                     std::map<QString, QByteArray>& compiledForms)
{
    if (auto it = forms.find(name); it != forms.end())
        return &it->second;
    auto compiled = compiledForms.find(name);
    if (compiled == compiledForms.end())
        return nullptr;
    QDataStream in(compiled->second);
    in.setVersion(QDataStream::Qt_6_4);
    KitForm form;
    Reader{in}.read(form);
    // The build read every form back before it stored the kit: a form that
    // does not read now is a damaged program file.
    if (in.status() != QDataStream::Ok || !in.atEnd())
        damagedKit();
    const KitForm* read = &forms.emplace(name, std::move(form)).first->second;
    compiledForms.erase(compiled);
    return read;
}

void KitCatalog::readEveryForm() const
{
    while (!m_compiledTaskPanes.empty())
        formNamed(QString(m_compiledTaskPanes.begin()->first), m_taskPanes, m_compiledTaskPanes);
    while (!m_compiledDialogs.empty())
        formNamed(QString(m_compiledDialogs.begin()->first), m_dialogs, m_compiledDialogs);
}

bool operator==(const KitCatalog& a, const KitCatalog& b)
{
    a.readEveryForm();
    b.readEveryForm();
    return a.m_menus == b.m_menus && a.m_toolbars == b.m_toolbars && a.m_contextMenus == b.m_contextMenus &&
           a.m_taskPanes == b.m_taskPanes && a.m_dialogs == b.m_dialogs && a.m_keys == b.m_keys &&
           a.m_icons == b.m_icons && a.m_graphMenus == b.m_graphMenus &&
           a.m_graphToolbars == b.m_graphToolbars && a.m_graphDatasheet == b.m_graphDatasheet;
}

} // namespace pptdrill

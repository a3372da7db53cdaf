#include "movie/kit/kitcatalog.h"

#include "movie/document/movie.h"

#include <QResource>
#include <cstdio>
#include <cstdlib>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

const std::pair<KitControlType, QString> kControlTypes[] = {
    {KitControlType::Label, u"label"_s},       {KitControlType::Group, u"group"_s},
    {KitControlType::Tabs, u"tabs"_s},         {KitControlType::List, u"list"_s},
    {KitControlType::Combo, u"combo"_s},       {KitControlType::Check, u"check"_s},
    {KitControlType::Options, u"options"_s},   {KitControlType::Spin, u"spin"_s},
    {KitControlType::Text, u"text"_s},         {KitControlType::Button, u"button"_s},
    {KitControlType::Link, u"link"_s},         {KitControlType::Gallery, u"gallery"_s},
    {KitControlType::EditList, u"editlist"_s}, {KitControlType::Color, u"color"_s},
    {KitControlType::Palette, u"palette"_s},   {KitControlType::Spectrum, u"spectrum"_s},
    {KitControlType::Swatch, u"swatch"_s},
};

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
        if (c.type == KitControlType::Tabs)
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

std::optional<KitControlType> KitCatalog::controlType(const QString& name)
{
    for (const auto& [type, text] : kControlTypes) {
        if (text == name)
            return type;
    }
    return std::nullopt;
}

QString KitCatalog::controlTypeName(KitControlType type)
{
    for (const auto& [t, text] : kControlTypes) {
        if (t == type)
            return text;
    }
    return {};
}

const KitCatalog& KitCatalog::instance()
{
    // The build has read and checked the kit's files (kitcompile); what it
    // wrote is only read back here.
    static const KitCatalog kit = [] {
        // Read where the program holds it, without a copy.
        const QResource resource(u":/kit/kit.bin"_s);
        if (!resource.isValid()) {
            std::fprintf(stderr, "the PowerPoint kit is missing from this build\n");
            std::abort();
        }
        const QByteArray bytes =
            resource.compressionAlgorithm() == QResource::NoCompression
                ? QByteArray::fromRawData(reinterpret_cast<const char*>(resource.data()), resource.size())
                : resource.uncompressedData();
        auto loaded = fromCompiled(bytes);
        if (!loaded) {
            std::fprintf(stderr, "%s\n", loaded.error().toUtf8().constData());
            std::abort();
        }
        return std::move(loaded.value());
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
    return formNamed(name, m_taskPanes, m_compiledTaskPanes);
}

const KitForm* KitCatalog::dialog(const QString& name) const
{
    return formNamed(name, m_dialogs, m_compiledDialogs);
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
    for (const auto* bars : {&m_toolbars, &m_graphToolbars}) {
        for (const auto& [bar, buttons] : *bars) {
            for (const KitButton& b : buttons) {
                if (!b.separator && b.name == name)
                    return &b;
            }
        }
    }
    return nullptr;
}

QStringList KitCatalog::taskPaneNames() const
{
    QStringList names;
    for (const auto& [name, form] : m_taskPanes)
        names << name;
    for (const auto& [name, form] : m_compiledTaskPanes)
        names << name;
    names.sort();
    return names;
}

} // namespace pptdrill

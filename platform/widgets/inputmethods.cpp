#include "platform/widgets/inputmethods.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusReply>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

InputMethods* g_testing = nullptr;
std::unique_ptr<InputMethods> g_session;

// Output of a short helper program; nothing when it is missing or fails.
std::optional<QString> runTool(const QString& tool, const QStringList& arguments)
{
    const QString path = QStandardPaths::findExecutable(tool);
    if (path.isEmpty())
        return std::nullopt;
    QProcess process;
    process.start(path, arguments);
    if (!process.waitForFinished(2000)) {
        process.kill();
        process.waitForFinished(500);
        return std::nullopt;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return std::nullopt;
    return QString::fromUtf8(process.readAllStandardOutput());
}

class Fcitx5InputMethods : public InputMethods
{
public:
    Fcitx5InputMethods()
        : m_controller(u"org.fcitx.Fcitx5"_s, u"/controller"_s, u"org.fcitx.Fcitx.Controller1"_s,
                       QDBusConnection::sessionBus())
    {
    }

    std::vector<KeyboardLayout> layouts() override
    {
        // Names of every input method fcitx5 knows: unique name → display name.
        QHash<QString, QString> names;
        QDBusMessage available = m_controller.call(u"AvailableInputMethods"_s);
        if (available.type() == QDBusMessage::ReplyMessage && !available.arguments().isEmpty()) {
            const auto arg = available.arguments().first().value<QDBusArgument>();
            arg.beginArray();
            while (!arg.atEnd()) {
                QString unique, name, nativeName, icon, label, language;
                bool configurable = false;
                arg.beginStructure();
                arg >> unique >> name >> nativeName >> icon >> label >> language >> configurable;
                arg.endStructure();
                names.insert(unique, name);
            }
            arg.endArray();
        }
        std::vector<KeyboardLayout> result;
        const QDBusReply<QString> group = m_controller.call(u"CurrentInputMethodGroup"_s);
        if (!group.isValid())
            return result;
        QDBusMessage info = m_controller.call(u"InputMethodGroupInfo"_s, group.value());
        if (info.type() != QDBusMessage::ReplyMessage || info.arguments().size() < 2)
            return result;
        const auto items = info.arguments().at(1).value<QDBusArgument>();
        items.beginArray();
        while (!items.atEnd()) {
            QString im, layout;
            items.beginStructure();
            items >> im >> layout;
            items.endStructure();
            // fcitx5's plain layouts are the engines named "keyboard-…".
            const bool ime = !im.startsWith(u"keyboard-"_s);
            result.push_back({im, ime ? names.value(im, im) : QString(), ime});
        }
        items.endArray();
        return result;
    }

    QString activeLayout() override
    {
        const QDBusReply<QString> reply = m_controller.call(u"CurrentInputMethod"_s);
        return reply.isValid() ? reply.value() : QString();
    }

    bool activate(const QString& id) override
    {
        return m_controller.call(u"SetCurrentIM"_s, id).type() == QDBusMessage::ReplyMessage;
    }

private:
    QDBusInterface m_controller;
};

class IbusInputMethods : public InputMethods
{
public:
    std::vector<KeyboardLayout> layouts() override
    {
        QHash<QString, QString> names;
        if (auto list = runTool(u"ibus"_s, {u"list-engine"_s})) {
            static const QRegularExpression line(u"^\\s+(\\S+) - (.*)$"_s);
            for (const QString& text : list->split(u'\n')) {
                if (const auto m = line.match(text); m.hasMatch())
                    names.insert(m.captured(1), m.captured(2).trimmed());
            }
        }
        std::vector<KeyboardLayout> result;
        // The learner's chosen engines, as "['xkb:us::eng', 'libpinyin']".
        const auto preload =
            runTool(u"gsettings"_s, {u"get"_s, u"org.freedesktop.ibus.general"_s, u"preload-engines"_s});
        QStringList engines;
        if (preload) {
            static const QRegularExpression quoted(u"'([^']+)'"_s);
            for (auto it = quoted.globalMatch(*preload); it.hasNext();)
                engines << it.next().captured(1);
        }
        if (engines.isEmpty())
            engines << activeLayout();
        for (const QString& engine : engines) {
            if (engine.isEmpty())
                continue;
            const bool ime = !engine.startsWith(u"xkb:"_s);
            result.push_back({engine, ime ? names.value(engine, engine) : QString(), ime});
        }
        return result;
    }

    QString activeLayout() override
    {
        const auto engine = runTool(u"ibus"_s, {u"engine"_s});
        return engine ? engine->trimmed() : QString();
    }

    bool activate(const QString& id) override { return runTool(u"ibus"_s, {u"engine"_s, id}).has_value(); }
};

// X keyboard groups. Activating a layout reorders the list so that it becomes
// the first group, which X makes the active one.
class XkbInputMethods : public InputMethods
{
public:
    std::vector<KeyboardLayout> layouts() override
    {
        std::vector<KeyboardLayout> result;
        if (const auto query = runTool(u"setxkbmap"_s, {u"-query"_s})) {
            for (const QString& layout : xkbLayoutsFromQuery(*query))
                result.push_back({layout, QString(), false});
        }
        return result;
    }

    QString activeLayout() override
    {
        const auto query = runTool(u"setxkbmap"_s, {u"-query"_s});
        const QStringList layouts = query ? xkbLayoutsFromQuery(*query) : QStringList();
        return layouts.isEmpty() ? QString() : layouts.first();
    }

    bool activate(const QString& id) override
    {
        const auto query = runTool(u"setxkbmap"_s, {u"-query"_s});
        if (!query)
            return false;
        QStringList order = xkbLayoutsFromQuery(*query);
        if (!order.removeOne(id))
            return false;
        order.prepend(id);
        QStringList layouts, variants;
        static const QRegularExpression split(u"^([^(]+)(?:\\(([^)]*)\\))?$"_s);
        for (const QString& item : order) {
            const auto m = split.match(item);
            layouts << m.captured(1);
            variants << m.captured(2);
        }
        return runTool(u"setxkbmap"_s, {u"-layout"_s, layouts.join(u','), u"-variant"_s, variants.join(u',')})
            .has_value();
    }
};

class SingleLayoutInputMethods : public InputMethods
{
public:
    std::vector<KeyboardLayout> layouts() override { return {{u"us"_s, QString(), false}}; }
    QString activeLayout() override { return u"us"_s; }
    bool activate(const QString& id) override { return id == u"us"_s; }
};

} // namespace

QStringList xkbLayoutsFromQuery(const QString& queryOutput)
{
    QStringList layouts, variants;
    for (const QString& line : queryOutput.split(u'\n')) {
        const QString key = line.section(u':', 0, 0).trimmed();
        const QString value = line.section(u':', 1).trimmed();
        if (key == u"layout"_s)
            layouts = value.split(u',');
        else if (key == u"variant"_s)
            variants = value.split(u',');
    }
    QStringList result;
    for (int i = 0; i < layouts.size(); ++i) {
        const QString layout = layouts.at(i).trimmed();
        if (layout.isEmpty())
            continue;
        const QString variant = i < variants.size() ? variants.at(i).trimmed() : QString();
        result << (variant.isEmpty() ? layout : layout + u'(' + variant + u')');
    }
    return result;
}

std::unique_ptr<InputMethods> makeFcitx5InputMethods()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface() ||
        !bus.interface()->isServiceRegistered(u"org.fcitx.Fcitx5"_s))
        return nullptr;
    return std::make_unique<Fcitx5InputMethods>();
}

std::unique_ptr<InputMethods> makeIbusInputMethods()
{
    auto ibus = std::make_unique<IbusInputMethods>();
    if (ibus->activeLayout().isEmpty())
        return nullptr;
    return ibus;
}

std::unique_ptr<InputMethods> makeXkbInputMethods()
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        return nullptr;
    auto xkb = std::make_unique<XkbInputMethods>();
    if (xkb->layouts().empty())
        return nullptr;
    return xkb;
}

std::unique_ptr<InputMethods> makeSingleLayoutInputMethods()
{
    return std::make_unique<SingleLayoutInputMethods>();
}

InputMethods& inputMethods()
{
    if (g_testing)
        return *g_testing;
    if (!g_session) {
        g_session = makeFcitx5InputMethods();
        if (!g_session)
            g_session = makeIbusInputMethods();
        if (!g_session)
            g_session = makeXkbInputMethods();
        if (!g_session)
            g_session = makeSingleLayoutInputMethods();
    }
    return *g_session;
}

void setInputMethodsForTesting(InputMethods* methods)
{
    g_testing = methods;
}

} // namespace pptdrill

#pragma once

#include "platform/steadyclock.h"
#include "platform/widgets/inputmethods.h"
#include "player/playerprocesses.h"

#include <QString>
#include <QStringList>
#include <chrono>
#include <vector>

namespace pptdrill::test {

// Records stops and starts of the player instead of running one.
class RecordingPlayerProcesses : public PlayerProcesses
{
public:
    void stopRunningPlayer() override { events.push_back(QStringLiteral("stop")); }
    bool start(const QString& program, const QStringList& arguments) override
    {
        events.push_back(QStringLiteral("start ") + program + u' ' + arguments.join(u'|'));
        return startSucceeds;
    }
    std::vector<QString> events;
    bool startSucceeds = true;
};

class FakeInputMethods : public InputMethods
{
public:
    std::vector<KeyboardLayout> layouts() override { return installed; }
    QString activeLayout() override { return active; }
    bool activate(const QString& id) override
    {
        activated.push_back(id);
        active = id;
        return true;
    }
    std::vector<KeyboardLayout> installed{{QStringLiteral("us"), {}, false}};
    QString active = QStringLiteral("us");
    std::vector<QString> activated;
};

// Exam time that passes only when the test says so.
class FakeSteadyClock : public SteadyClock
{
public:
    std::chrono::steady_clock::time_point now() const override { return time; }
    void advance(std::chrono::milliseconds by) { time += by; }
    std::chrono::steady_clock::time_point time{std::chrono::hours(1)};
};

} // namespace pptdrill::test

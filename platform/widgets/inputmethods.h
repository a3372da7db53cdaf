#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace pptdrill {

// One installed keyboard layout or input method of the session.
struct KeyboardLayout
{
    QString id;          // what activate() takes back
    QString description; // the input method's own name; empty for a plain layout
    bool isInputMethod = false;
};

// The session's keyboard layouts: an input-method framework over D-Bus
// (fcitx5 or IBus) where one runs, else the X keyboard groups, else a single
// plain layout.
class InputMethods
{
public:
    virtual ~InputMethods() = default;
    virtual std::vector<KeyboardLayout> layouts() = 0;
    // The id of the active layout; empty when it cannot be told.
    virtual QString activeLayout() = 0;
    // Makes `id` the active layout; false when the session refused.
    virtual bool activate(const QString& id) = 0;
};

// The backend the program uses, chosen on first use.
InputMethods& inputMethods();
// Tests install a fake (not owned); nullptr chooses the session's backend again.
void setInputMethodsForTesting(InputMethods* methods);

// The backends, for the choice and for tests that talk to a real session.
std::unique_ptr<InputMethods> makeFcitx5InputMethods(); // null when fcitx5 does not run
std::unique_ptr<InputMethods> makeIbusInputMethods();   // null when IBus does not run
std::unique_ptr<InputMethods> makeXkbInputMethods();    // null without setxkbmap or an X display
std::unique_ptr<InputMethods> makeSingleLayoutInputMethods();

// X keyboard layouts from the output of "setxkbmap -query": "us", "de(nodeadkeys)" …
QStringList xkbLayoutsFromQuery(const QString& queryOutput);

} // namespace pptdrill

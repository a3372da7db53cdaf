#pragma once

#include "platform/messagebox.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <deque>
#include <vector>

namespace pptdrill::test {

// Records every message box and answers from a queue (OK / Yes when empty).
class FakeMessageBoxes : public MessageBoxes
{
public:
    struct Shown
    {
        QString title;
        QString text;
        MessageIcon icon;
        MessageButtons buttons;
    };

    FakeMessageBoxes() { setMessageBoxes(this); }
    ~FakeMessageBoxes() override { setMessageBoxes(nullptr); }

    MessageAnswer show(const QString& title, const QString& text, MessageIcon icon,
                       MessageButtons buttons) override;

    std::vector<Shown> shown;
    std::deque<MessageAnswer> answers;

    QStringList texts() const;
};

// The build's program folder (where drillbridge, drillbank, stdata.db live).
QString buildProgramFolder();
QString sourceFolder();

// A private program folder for one test: a temporary directory.
class TempProgramFolder
{
public:
    TempProgramFolder();
    QString path() const { return m_dir.path(); }
    QString file(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
};

} // namespace pptdrill::test

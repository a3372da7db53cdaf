#include "tests/support/testsupport.h"

namespace pptdrill::test {

MessageAnswer FakeMessageBoxes::show(const QString& title, const QString& text, MessageIcon icon,
                                     MessageButtons buttons)
{
    shown.push_back({title, text, icon, buttons});
    if (!answers.empty()) {
        const MessageAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
    return defaultAnswer(buttons);
}

QStringList FakeMessageBoxes::texts() const
{
    QStringList out;
    for (const Shown& s : shown)
        out << s.text;
    return out;
}

QString buildProgramFolder()
{
    return QString::fromUtf8(DRILL_PROGRAM_DIR);
}

QString sourceFolder()
{
    return QString::fromUtf8(DRILL_SOURCE_DIR);
}

TempProgramFolder::TempProgramFolder() : m_dir()
{
    m_dir.setAutoRemove(true);
}

} // namespace pptdrill::test

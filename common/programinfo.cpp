#include "common/programinfo.h"

#include <QByteArray>
#include <cstdio>
#include <cstring>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

QString programVersion()
{
    return QString::fromUtf8(DRILL_VERSION);
}

QString licenceName()
{
    return u"GPL-3.0-or-later"_s;
}

QString copyrightHolders()
{
    return u"The pptdrill developers"_s;
}

std::optional<int> answerInformationOption(int argc, char** argv, const char* program, const QString& usage)
{
    if (argc < 2)
        return std::nullopt;
    const char* first = argv[1];
    QString text;
    if (std::strcmp(first, "--version") == 0 || std::strcmp(first, "-v") == 0) {
        text = u"%1 %2\n"_s.arg(QString::fromUtf8(program), programVersion());
    } else if (std::strcmp(first, "--help") == 0 || std::strcmp(first, "-h") == 0) {
        text = usage + u"\n选项：\n"
                       u"  -h, --help     显示本帮助并退出\n"
                       u"  -v, --version  显示版本并退出\n"_s;
    } else {
        return std::nullopt;
    }
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

} // namespace pptdrill

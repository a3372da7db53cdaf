#include "player/bridgereport.h"

#include <QStringList>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

constexpr char kReportPrefix[] = "drillbridge: ";
// A report longer than this is cut: it only has to say what went wrong.
constexpr qsizetype kLongestReason = 600;

} // namespace

QByteArray bridgeFailureReport(const QString& message)
{
    QString oneLine = message;
    oneLine.replace(u'\n', u' ');
    return kReportPrefix + oneLine.toUtf8() + '\n';
}

QString bridgeFailureReason(bool normalExit, int exitCode, const QByteArray& standardError)
{
    if (normalExit && exitCode == 0)
        return {};
    // The report is the bridge's line that starts with the prefix; anything else
    // on standard error (a library's warning) is not for the learner.
    QStringList reasons;
    const QList<QByteArray> lines = standardError.split('\n');
    for (const QByteArray& line : lines) {
        if (line.startsWith(kReportPrefix))
            reasons << QString::fromUtf8(line.mid(qsizetype(sizeof kReportPrefix) - 1)).trimmed();
    }
    QString reason = reasons.join(u'；');
    if (reason.size() > kLongestReason)
        reason = reason.left(kLongestReason) + u"……"_s;
    if (!reason.isEmpty())
        return reason;
    if (!normalExit)
        return u"drillbridge 意外终止，没有写完"_s;
    return u"drillbridge 出错退出（退出码 %1），没有说明原因"_s.arg(exitCode);
}

} // namespace pptdrill

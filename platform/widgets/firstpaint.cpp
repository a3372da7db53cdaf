#include "platform/widgets/firstpaint.h"

#include <QDateTime>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <utility>

namespace pptdrill {

namespace {

bool g_traced = false;

class AfterPaintFilter : public QObject
{
public:
    AfterPaintFilter(QWidget* widget, std::function<void()> then, int latestMs)
        : QObject(widget), m_then(std::move(then))
    {
        widget->installEventFilter(this);
        if (latestMs >= 0)
            QTimer::singleShot(latestMs, this, [this] { run(); });
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            QTimer::singleShot(0, this, [this] { run(); });
        return false;
    }

private:
    void run()
    {
        if (!m_then)
            return;
        const std::function<void()> then = std::exchange(m_then, nullptr);
        deleteLater();
        then();
    }

    std::function<void()> m_then;
};

} // namespace

void afterFirstPaint(QWidget* widget, std::function<void()> then, int latestMs)
{
    new AfterPaintFilter(widget, std::move(then), latestMs);
}

void traceFirstPaint(QWidget* widget)
{
    if (g_traced || !qEnvironmentVariableIsSet("PPTDRILL_TRACE_FIRST_FRAME"))
        return;
    // Reported once the paint has been handled, for the first window of the process that paints.
    afterFirstPaint(
        widget,
        [] {
            if (!std::exchange(g_traced, true))
                traceMoment("first-frame");
        },
        -1);
}

void traceMoment(const char* moment)
{
    if (qEnvironmentVariableIsSet("PPTDRILL_TRACE_FIRST_FRAME"))
        std::fprintf(stderr, "%s %lld\n", moment,
                     static_cast<long long>(QDateTime::currentMSecsSinceEpoch()));
}

} // namespace pptdrill

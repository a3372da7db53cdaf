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

class FirstPaintFilter : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !g_traced) {
            g_traced = true;
            // Reported once the paint has been handled.
            QTimer::singleShot(0, [] { traceMoment("first-frame"); });
            watched->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }
};

class AfterPaintFilter : public QObject
{
public:
    AfterPaintFilter(QWidget* widget, std::function<void()> then, int latestMs)
        : QObject(widget), m_then(std::move(then))
    {
        widget->installEventFilter(this);
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
    widget->installEventFilter(new FirstPaintFilter(widget));
}

void traceMoment(const char* moment)
{
    if (qEnvironmentVariableIsSet("PPTDRILL_TRACE_FIRST_FRAME"))
        std::fprintf(stderr, "%s %lld\n", moment,
                     static_cast<long long>(QDateTime::currentMSecsSinceEpoch()));
}

} // namespace pptdrill

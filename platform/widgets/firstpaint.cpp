#include "platform/widgets/firstpaint.h"

#include <QDateTime>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>

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

} // namespace

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

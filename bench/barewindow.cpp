// The yardstick for bench_firstframe: a bare Qt widget window of 800 × 600 that
// paints a rectangle and a line of Chinese text, and traces its first painted
// frame as the programs do (PPTDRILL_TRACE_FIRST_FRAME).
#include <QApplication>
#include <QDateTime>
#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <cstdio>

namespace {

class BareWindow : public QWidget
{
protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        painter.drawRect(40, 40, 720, 480);
        painter.drawText(60, 80, QStringLiteral("演示文稿的第一张幻灯片"));
        if (!m_traced && qEnvironmentVariableIsSet("PPTDRILL_TRACE_FIRST_FRAME")) {
            m_traced = true;
            QTimer::singleShot(0, [] {
                std::fprintf(stderr, "first-frame %lld\n",
                             static_cast<long long>(QDateTime::currentMSecsSinceEpoch()));
            });
        }
    }

private:
    bool m_traced = false;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    BareWindow window;
    window.resize(800, 600);
    window.show();
    return app.exec();
}

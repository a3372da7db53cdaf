#include "platform/widgets/qtmessageboxes.h"

#include "common/widgets/prerendered.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTimer>
#include <QTranslator>

#ifdef __GLIBC__
#include <malloc.h>
#endif

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

MessageAnswer QtMessageBoxes::show(const QString& title, const QString& text, MessageIcon icon,
                                   MessageButtons buttons)
{
    QMessageBox box;
    box.setWindowTitle(title);
    box.setText(text);
    switch (icon) {
    case MessageIcon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case MessageIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MessageIcon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case MessageIcon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    }
    if (buttons != MessageButtons::Ok) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(defaultAnswer(buttons) == MessageAnswer::No ? QMessageBox::No
                                                                         : QMessageBox::Yes);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    const int answer = box.exec();
    if (buttons != MessageButtons::Ok)
        return answer == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
    return MessageAnswer::Ok;
}

namespace {

class WindowIconAfterFirstPaint : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            QTimer::singleShot(0, qApp, [] {
                // The menu entry's icon in the sizes taskbars and window lists show: as
                // the build stored it where the program carries it, else from its PNGs.
                QIcon icon;
                for (int size : {16, 32, 48}) {
                    if (const auto stored = prerenderedPicture(u"windowicon-%1.pic"_s.arg(size)))
                        icon.addPixmap(QPixmap::fromImage(*stored));
                    else
                        icon.addFile(u":/windowicon/%1/pptdrill.png"_s.arg(size), QSize(size, size));
                }
                QApplication::setWindowIcon(icon);
            });
            qApp->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }
};

} // namespace

void setUpWindowProgram(QApplication& app)
{
#ifdef __GLIBC__
    // Qt copies a whole table out of a font each time it sizes a face (half a
    // megabyte for the Song face's bitmap index) and frees it at once. glibc
    // would then raise its threshold for giving big blocks their own pages, and
    // keep such blocks in the heap for good; a fixed threshold returns them.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif
    auto* translator = new QTranslator(&app);
    if (translator->load(u"qtbase_zh_CN"_s, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
    static QtMessageBoxes boxes;
    setMessageBoxes(&boxes);
    // The desktop shows the windows of every program under the menu entry and its
    // icon: by the desktop file name under Wayland, by the X window class (both of
    // its names, which X takes from these two) elsewhere.
    QGuiApplication::setDesktopFileName(u"org.pptdrill.pptdrill"_s);
    QCoreApplication::setApplicationName(u"pptdrill"_s);
    if (!qEnvironmentVariableIsSet("RESOURCE_NAME"))
        qputenv("RESOURCE_NAME", "pptdrill");
    // The windows' icon comes once the first window is painted: reading
    // pictures is slow the first time, and no one sees an icon sooner.
    app.installEventFilter(new WindowIconAfterFirstPaint(&app));
}

} // namespace pptdrill
